#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <map>

#include "toolkit/Application.h"
#include "toolkit/PostedMessages.h"
#include "toolkit/qt/QtTerminationSignals.h"
#include "toolkit/qt/QtText.h"

namespace toolkit::qt {
namespace {

QMessageBox::Icon BoxIcon(TMessageBoxIcon icon) {
  switch (icon) {
    case TMessageBoxIcon::Error:
      return QMessageBox::Critical;
    case TMessageBoxIcon::Warning:
      return QMessageBox::Warning;
    case TMessageBoxIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// A message box that, like the Windows one, copies its caption, text and buttons to the
// clipboard on Ctrl+C.
class QtMessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (!event->matches(QKeySequence::Copy)) {
      QMessageBox::keyPressEvent(event);
      return;
    }
    const QString separator = "---------------------------\n";
    QString buttons;
    for (const QAbstractButton* button : this->buttons()) {
      buttons += button->text().remove(u'&') + "   ";
    }
    QGuiApplication::clipboard()->setText(separator + windowTitle() + u'\n' + separator + text() +
                                          u'\n' + separator + buttons + u'\n' + separator);
  }
};

class QtApplicationPeer final : public ApplicationPeer {
 public:
  QtApplicationPeer() : FApplication(FArgc, FArgv) {
    // Only the main form's closing ends the loop, not a message box closed before it shows.
    QApplication::setQuitOnLastWindowClosed(false);
    // Devices post from their own threads; the queue is drained on this one.
    SetPostedMessageWakeup([] {
      QMetaObject::invokeMethod(
          QCoreApplication::instance(), [] { Application().Dispatch(ProcessPostedMessages); },
          Qt::QueuedConnection);
    });
  }
  ~QtApplicationPeer() override { SetPostedMessageWakeup({}); }

  void SetIcon(std::span<const std::byte> imageFile) override {
    QPixmap icon;
    icon.loadFromData(reinterpret_cast<const uchar*>(imageFile.data()),
                      static_cast<uint>(imageFile.size()));
    QApplication::setWindowIcon(QIcon(icon));
  }
  void Run() override { QApplication::exec(); }
  // Qt's quit ends the main loop only once it runs: a box shown before it (a second start's
  // notice, a start-up error) is closed as if dismissed, so that its caller goes on to the end.
  void Quit() override {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QDialog*>(widget); box != nullptr && box->isVisible()) {
        box->reject();
      }
    }
    QApplication::quit();
  }
  void ProcessEvents() override { QApplication::processEvents(); }

  int ShowMessageBox(const TMessageBoxRequest& request) override {
    QtMessageBox box(BoxIcon(request.Icon), ToQString(request.Caption), ToQString(request.Text));
    std::map<QAbstractButton*, int> results;
    for (const auto& button : request.Buttons) {
      QPushButton* added = box.addButton(ToQString(button.Caption), QMessageBox::AcceptRole);
      results.emplace(added, button.Result);
      if (results.size() == 1) {
        box.setDefaultButton(added);
      }
      if (button.Result == request.EscapeResult) {
        box.setEscapeButton(added);
      }
    }
    box.exec();
    const auto clicked = results.find(box.clickedButton());
    return clicked != results.end() ? clicked->second : request.EscapeResult;
  }

 private:
  // QApplication keeps references to these for its whole life.
  int FArgc = 1;
  char FProgramName[7] = "kalvio";
  char* FArgv[2] = {FProgramName, nullptr};
  QApplication FApplication;
  QtTerminationSignals FTerminationSignals;
};

}  // namespace
}  // namespace toolkit::qt

namespace toolkit {

std::unique_ptr<ApplicationPeer> CreateApplicationPeer() {
  return std::make_unique<qt::QtApplicationPeer>();
}

}  // namespace toolkit
