#include "toolkit/qt/QtNative.h"

namespace toolkit::qt {

QWidget* NativeWidget(const WidgetPeer& peer) {
  return dynamic_cast<const QtNative&>(peer).Widget();
}

QMenu* NativeMenu(const PopupMenuPeer& peer) {
  return static_cast<QMenu*>(dynamic_cast<const QtNative&>(peer).Widget());
}

QWidget* WidgetOf(const TControl& control) {
  return NativeWidget(control.Peer());
}

QWidget* WidgetOf(const TForm& form) {
  return NativeWidget(form.Peer());
}

QMenu* MenuOf(const TPopupMenu& menu) {
  return NativeMenu(menu.Peer());
}

}  // namespace toolkit::qt
