#pragma once

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include "toolkit/Control.h"
#include "toolkit/Peers.h"
#include "toolkit/qt/QtInput.h"
#include "toolkit/qt/QtNative.h"
#include "toolkit/qt/QtText.h"

namespace toolkit::qt {

// Opens the popup menu of the window the widget lies in, if it has one.
void ShowWindowMenu(QWidget& widget, const QPoint& globalPosition);

// A Qt widget that reports what every control reports: each key released while it has the
// focus (auto-repeat aside, as Windows sends one key-up per press) and each mouse button
// released over it, after the widget itself has handled them. Right-button releases then open
// the window's popup menu, so a right click over a control raises its mouse-up first, as on
// Windows; the menu key opens it too.
template <class Base>
class QtControlWidget : public Base {
 public:
  QtControlWidget(TControl& owner, QWidget* parent) : Base(parent), FOwner(owner) {}

 protected:
  TControl& Owner() const { return FOwner; }

  void keyReleaseEvent(QKeyEvent* event) override {
    Base::keyReleaseEvent(event);
    event->accept();
    if (!event->isAutoRepeat()) {
      FOwner.DoKeyUp(VirtualKey(*event), ShiftState(event->modifiers(), {}));
    }
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
