#pragma once

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QWidget>
#include <set>

#include "toolkit/Control.h"
#include "toolkit/Peers.h"
#include "toolkit/qt/QtInput.h"
#include "toolkit/qt/QtNative.h"
#include "toolkit/qt/QtText.h"

namespace toolkit::qt {

// Opens the popup menu of the window the widget lies in, if it has one.
void ShowWindowMenu(QWidget& widget, const QPoint& globalPosition);

// A Qt widget that reports what every control reports: each key released while it has the
// focus whose press it received too (auto-repeat aside, as Windows sends one key-up per press)
// and each mouse button released over it, after the widget itself has handled them. A release
// whose press went elsewhere (Tab that moved the focus here, a menu's access key, a dialog's
// button, or a press taken late while a menu was open) means nothing to this control. Right-button
// releases then open the window's popup menu, so a right click over a control raises its mouse-up
// first, as on Windows; the menu key opens it too.
template <class Base>
class QtControlWidget : public Base {
 public:
  QtControlWidget(TControl& owner, QWidget* parent) : Base(parent), FOwner(owner) {}

  // Runs an action as the control's own: a change it makes is the user's or the code's. Any
  // change made outside the control's events and such actions comes from an assistive
  // technology.
  template <class Action>
  auto AsOwnEvent(Action action) {
    const QScopedValueRollback own(FHandlingOwnEvent, true);
    return action();
  }
  bool HandlingOwnEvent() const { return FHandlingOwnEvent; }

 protected:
  TControl& Owner() const { return FOwner; }

  bool event(QEvent* event) override {
    return AsOwnEvent([&] { return Base::event(event); });
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (!event->isAutoRepeat()) {
      FPressedKeys.insert(KeyIdentity(*event));
    }
    Base::keyPressEvent(event);
  }

  void keyReleaseEvent(QKeyEvent* event) override {
    Base::keyReleaseEvent(event);
    event->accept();
    if (!event->isAutoRepeat() && FPressedKeys.erase(KeyIdentity(*event)) > 0) {
      FOwner.DoKeyUp(VirtualKey(*event), ShiftState(event->modifiers(), {}));
    }
  }

  // A popup menu or a dialog taking the focus takes the keys held down with it.
  void focusOutEvent(QFocusEvent* event) override {
    FPressedKeys.clear();
    Base::focusOutEvent(event);
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    Base::mouseReleaseEvent(event);
    event->accept();
    const QPoint position = event->position().toPoint();
    FOwner.DoMouseUp(MouseButton(event->button()), ShiftState(event->modifiers(), event->buttons()),
                     position.x(), position.y());
    if (event->button() == Qt::RightButton) {
      ShowWindowMenu(*this, event->globalPosition().toPoint());
    }
  }

  void contextMenuEvent(QContextMenuEvent* event) override {
    event->accept();
    if (event->reason() != QContextMenuEvent::Mouse) {
      ShowWindowMenu(*this, event->globalPos());
    }
  }

 private:
  TControl& FOwner;
  std::set<int> FPressedKeys;
  bool FHandlingOwnEvent = false;
};

// The ControlPeer operations every widget shares. The widget is owned here unless its parent
// was destroyed first.
template <class Interface, class WidgetType>
class QtControlPeer : public Interface, public QtNative {
 public:
  template <class Owner>
  QtControlPeer(Owner& owner, WidgetPeer& parent)
      : FWidget(new WidgetType(owner, NativeWidget(parent))) {
    FWidget->setFocusPolicy(Qt::NoFocus);
  }
  ~QtControlPeer() override { delete FWidget.data(); }

  void SetBounds(const TRect& bounds) override {
    FWidget->setGeometry(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
  }
  void SetEnabled(bool enabled) override { FWidget->setEnabled(enabled); }
  void SetVisible(bool visible) override { FWidget->setVisible(visible); }
  void SetHint(const std::u16string& hint) override { FWidget->setToolTip(ToQString(hint)); }
  void SetFocus() override { FWidget->setFocus(Qt::OtherFocusReason); }
  bool Focused() const override { return FWidget->window()->focusWidget() == FWidget.data(); }
  QWidget* Widget() const override { return FWidget.data(); }

 protected:
  QPointer<WidgetType> FWidget;
};

}  // namespace toolkit::qt
