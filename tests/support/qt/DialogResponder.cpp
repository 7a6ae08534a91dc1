#include "support/DialogResponder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace support {
namespace {

toolkit::TMessageBoxIcon IconOf(QMessageBox::Icon icon) {
  switch (icon) {
    case QMessageBox::Critical:
      return toolkit::TMessageBoxIcon::Error;
    case QMessageBox::Warning:
      return toolkit::TMessageBoxIcon::Warning;
    default:
      return toolkit::TMessageBoxIcon::None;
  }
}

}  // namespace

// Looks for an open box every few milliseconds, from the box's own event loop.
class DialogResponder::Watch {
 public:
  explicit Watch(DialogResponder& responder) {
    QObject::connect(&FTimer, &QTimer::timeout, [&responder] { Answer(responder); });
    FTimer.start(5);
  }

 private:
  static void Answer(DialogResponder& responder) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
      return;
    }
    Box shown{box->windowTitle().toStdU16String(),
              box->text().toStdU16String(),
              IconOf(box->icon()),
              {},
              {}};
    QAbstractButton* answer = nullptr;
    for (QAbstractButton* button : box->buttons()) {
      shown.Buttons.push_back(button->text().toStdU16String());
      if (button->text().toStdU16String() == responder.FAnswer) {
        answer = button;
      }
    }
    if (box->defaultButton() != nullptr) {
      shown.DefaultButton = box->defaultButton()->text().toStdU16String();
    }
    responder.FBoxes.push_back(std::move(shown));
    if (answer != nullptr) {
      answer->click();
    } else {
      QTest::keyClick(box, responder.FKey == Key::Return ? Qt::Key_Return : Qt::Key_Escape);
    }
  }

  QTimer FTimer;
};

DialogResponder::DialogResponder(std::u16string answer)
    : FAnswer(std::move(answer)), FWatch(std::make_unique<Watch>(*this)) {}

DialogResponder::DialogResponder(Key key) : FKey(key), FWatch(std::make_unique<Watch>(*this)) {}

DialogResponder::~DialogResponder() = default;

}  // namespace support
