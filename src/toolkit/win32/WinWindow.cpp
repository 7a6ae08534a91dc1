#include "toolkit/win32/WinWindow.h"

#include <commctrl.h>

#include "toolkit/Application.h"

namespace toolkit::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x4B56;
constexpr auto kPeerProperty = L"ToolkitPeer";

// The window a parent's notification is about, if the message is one.
HWND NotifyingChild(UINT msg, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
      return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType != ODT_MENU
                 ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem
                 : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

WinWindow::~WinWindow() {
  if (FHandle != nullptr) {
    RemoveWindowSubclass(FHandle, SubclassProc, kSubclassId);
    RemovePropW(FHandle, kPeerProperty);
    DestroyWindow(FHandle);
  }
}

WinWindow* WinWindow::FromHandle(HWND handle) {
  return handle != nullptr ? static_cast<WinWindow*>(GetPropW(handle, kPeerProperty)) : nullptr;
}

void WinWindow::Attach(HWND handle) {
  FHandle = handle;
  SetPropW(handle, kPeerProperty, this);
  SetWindowSubclass(handle, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

bool WinWindow::Message(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
  return false;
}

bool WinWindow::Notification(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                             LRESULT& /*result*/) {
  return false;
}

LRESULT WinWindow::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(FHandle, msg, wParam, lParam);
}

LRESULT CALLBACK WinWindow::SubclassProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR /*id*/, DWORD_PTR window) {
  try {
    LRESULT result = 0;
    if (WinWindow* child = FromHandle(NotifyingChild(msg, lParam))) {
      if (child->Notification(msg, wParam, lParam, result)) {
        return result;
      }
    }
    if (reinterpret_cast<WinWindow*>(window)->Message(msg, wParam, lParam, result)) {
      return result;
    }
  } catch (...) {
    Application().HandleException();
    return 0;
  }
  return DefSubclassProc(handle, msg, wParam, lParam);
}

}  // namespace toolkit::win32
