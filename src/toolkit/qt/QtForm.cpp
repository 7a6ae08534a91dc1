#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFont>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include "toolkit/Form.h"
#include "toolkit/qt/QtControl.h"
#include "toolkit/qt/QtNative.h"
#include "toolkit/qt/QtText.h"

namespace toolkit::qt {
namespace {

// Japanese text in a family without Japanese glyphs is drawn with this one.
constexpr auto kJapaneseFallbackFamily = "IPAPGothic";

// A Wayland compositor places windows itself and tells no client where they are.
bool WindowSystemTellsPositions() {
  return !QGuiApplication::platformName().startsWith("wayland");
}

class QtFormWidget : public QWidget {
 public:
  explicit QtFormWidget(TForm& owner)
      : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                             Qt::WindowCloseButtonHint),
        FOwner(owner) {}

  void SetPopupMenu(QMenu* menu) { FPopupMenu = menu; }

  void ShowPopupMenu(const QPoint& globalPosition) {
    if (FPopupMenu != nullptr) {
      FPopupMenu->popup(globalPosition);
    }
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    QWidget::closeEvent(event);
    FOwner.DoClosed();
  }

  // A window manager frames the window after it is shown; the frame moves the window's contents.
  void moveEvent(QMoveEvent* event) override {
    QWidget::moveEvent(event);
    if (!FFramed && isVisible() && frameGeometry() != geometry()) {
      FFramed = true;
      FOwner.DoFramed();
    }
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    event->accept();
    if (event->button() == Qt::RightButton) {
      ShowPopupMenu(event->globalPosition().toPoint());
    }
  }

  void contextMenuEvent(QContextMenuEvent* event) override {
    event->accept();
    if (event->reason() != QContextMenuEvent::Mouse) {
      ShowPopupMenu(event->globalPos());
    }
  }

 private:
  TForm& FOwner;
  QPointer<QMenu> FPopupMenu;
  bool FFramed = false;
};

// Screen readers present the window as a frame named by its caption, not as a bare panel.
QAccessibleInterface* CreateFormAccessible(const QString& /*className*/, QObject* object) {
  auto* form = dynamic_cast<QtFormWidget*>(object);
  return form != nullptr ? new QAccessibleWidget(form, QAccessible::Window) : nullptr;
}

class QtFormPeer final : public FormPeer, public QtNative {
 public:
  explicit QtFormPeer(TForm& owner) : FWidget(owner) {
    [[maybe_unused]] static const bool accessible =
        (QAccessible::installFactory(&CreateFormAccessible), true);
    // The focus is always drawn, from the start, not only once Tab has been pressed.
    QObject::connect(qApp, &QApplication::focusChanged, &FWidget, [this](QWidget*, QWidget* now) {
      if (now != nullptr && now->window() == &FWidget) {
        FWidget.setAttribute(Qt::WA_KeyboardFocusChange);
      }
    });
  }

  void SetCaption(const std::u16string& caption) override {
    FWidget.setWindowTitle(ToQString(caption));
  }
  void SetHint(const std::u16string& hint) override { FWidget.setToolTip(ToQString(hint)); }
  void SetFont(const std::u16string& family, int pixelHeight) override {
    QFont font;
    font.setFamilies({ToQString(family), kJapaneseFallbackFamily});
    font.setPixelSize(pixelHeight);
    FWidget.setFont(font);
  }
  void SetClientSize(int width, int height) override { FWidget.setFixedSize(width, height); }
  // Where positions are unknown, the last one set stands for the window's.
  int Left() const override { return WindowSystemTellsPositions() ? FWidget.x() : FPosition.x(); }
  int Top() const override { return WindowSystemTellsPositions() ? FWidget.y() : FPosition.y(); }
  void SetPosition(int left, int top) override {
    FPosition = QPoint(left, top);
    FWidget.move(FPosition);
  }
  TRect FrameBounds() const override {
    const QRect frame = FWidget.frameGeometry();
    return {frame.x(), frame.y(), frame.width(), frame.height()};
  }
  int TitleBarHeight() const override {
    const int drawn = FWidget.geometry().top() - FWidget.frameGeometry().top();
    return drawn > 0 ? drawn : FWidget.style()->pixelMetric(QStyle::PM_TitleBarHeight);
  }
  std::vector<TRect> WorkAreas() const override {
    std::vector<TRect> areas;
    if (WindowSystemTellsPositions()) {
      for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        areas.push_back({area.x(), area.y(), area.width(), area.height()});
      }
    }
    return areas;
  }
  void SetPopupMenu(PopupMenuPeer* menu) override {
    FWidget.SetPopupMenu(menu != nullptr ? NativeMenu(*menu) : nullptr);
  }
  void SetFocusChain(const std::vector<ControlPeer*>& chain) override {
    for (std::size_t i = 1; i < chain.size(); ++i) {
      QWidget::setTabOrder(NativeWidget(*chain[i - 1]), NativeWidget(*chain[i]));
    }
  }
  void Show() override { FWidget.show(); }
  bool Visible() const override { return FWidget.isVisible(); }
  void Close() override { FWidget.close(); }
  bool Minimized() const override { return FWidget.isMinimized(); }
  void Restore() override { FWidget.setWindowState(FWidget.windowState() & ~Qt::WindowMinimized); }
  void BringToFront() override {
    FWidget.raise();
    FWidget.activateWindow();
  }
  QWidget* Widget() const override { return &FWidget; }

 private:
  mutable QtFormWidget FWidget;
  QPoint FPosition;
};

}  // namespace

void ShowWindowMenu(QWidget& widget, const QPoint& globalPosition) {
  if (auto* form = dynamic_cast<QtFormWidget*>(widget.window())) {
    form->ShowPopupMenu(globalPosition);
  }
}

}  // namespace toolkit::qt

namespace toolkit {

std::unique_ptr<FormPeer> CreateFormPeer(TForm& owner) {
  return std::make_unique<qt::QtFormPeer>(owner);
}

}  // namespace toolkit
