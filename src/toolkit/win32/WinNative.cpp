#include "toolkit/win32/WinNative.h"

#include "toolkit/win32/WinForm.h"
#include "toolkit/win32/WinPopupMenu.h"
#include "toolkit/win32/WinWindow.h"

namespace toolkit::win32 {

HWND NativeHandle(WidgetPeer& peer) {
  if (auto* form = dynamic_cast<WinFormPeer*>(&peer)) {
    return form->Window();
  }
  return dynamic_cast<WinWindow&>(peer).Handle();
}

HWND WindowOf(const TControl& control) {
  return NativeHandle(control.Peer());
}

HWND WindowOf(const TForm& form) {
  return NativeHandle(form.Peer());
}

HMENU MenuOf(const TPopupMenu& menu) {
  return static_cast<WinPopupMenuPeer&>(menu.Peer()).Menu();
}

}  // namespace toolkit::win32
