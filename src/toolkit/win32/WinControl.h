#pragma once

#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <cstdint>
#include <set>
#include <string>

#include "rtl/Exception.h"
#include "toolkit/Control.h"
#include "toolkit/Peers.h"
#include "toolkit/win32/WinDpi.h"
#include "toolkit/win32/WinForm.h"
#include "toolkit/win32/WinInput.h"
#include "toolkit/win32/WinNative.h"
#include "toolkit/win32/WinWindow.h"

namespace toolkit::win32 {

// The ControlPeer operations every control shares, on a child window of the given class. Each
// control reports what every control reports: each key released while it has the focus whose
// press it received too, and each mouse button released over it, after the control itself has
// handled them. A release whose press went elsewhere (Tab that moved the focus here, a menu's
// access key, a dialog's button) means nothing to this control. A right button's
// release then opens the window's popup menu, so the control's mouse-up comes first.
template <class Interface>
class WinControl : public Interface, public WinWindow {
 public:
  WinControl(TControl& owner, WidgetPeer& parent, const wchar_t* windowClass, DWORD style,
             DWORD extendedStyle = 0)
      : FOwner(owner) {
    HWND parentWindow = NativeHandle(parent);
    HWND handle =
        CreateWindowExW(extendedStyle, windowClass, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                        parentWindow, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (handle == nullptr) {
      throw Exception(u"ウィンドウを作成できません");
    }
    Attach(handle);
    FForm = WinFormPeer::Of(parentWindow);
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(FForm->Font()), FALSE);
    FForm->AddTool(handle);
  }
  ~WinControl() override { FForm->RemoveTool(Handle()); }

  // Edges scaled one by one: neighbours that touch at 96 DPI touch at every DPI.
  void SetBounds(const TRect& bounds) override {
    const int left = AtSystemDpi(bounds.Left);
    const int top = AtSystemDpi(bounds.Top);
    SetWindowPos(Handle(), nullptr, left, top, AtSystemDpi(bounds.Left + bounds.Width) - left,
                 AtSystemDpi(bounds.Top + bounds.Height) - top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void SetEnabled(bool enabled) override {
    if (!enabled && Focused()) {
      FForm->FocusNext(Handle(), true);
    }
    EnableWindow(Handle(), enabled);
  }
  void SetVisible(bool visible) override {
    if (!visible && Focused()) {
      FForm->FocusNext(Handle(), true);
    }
    ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
  }
  void SetHint(const std::u16string& hint) override {
    FHint = hint;
    FForm->HintChanged();
  }
  void SetFocus() override { FForm->FocusControl(Handle()); }
  bool Focused() const override { return FForm->FocusedControl() == Handle(); }
  const std::u16string& Hint() const override { return FHint; }

 protected:
  bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (msg) {
      case WM_SETFOCUS:
        FForm->FocusChanged(Handle());
        return false;
      // A popup menu or a dialog taking over takes the keys held down with it.
      case WM_KILLFOCUS:
      case WM_CONTEXTMENU:
        FPressedKeys.clear();
        return false;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        FPressedKeys.insert(wParam);
        return false;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        result = Default(msg, wParam, lParam);
        if (FPressedKeys.erase(wParam) > 0) {
          FOwner.DoKeyUp(static_cast<std::uint16_t>(wParam), ShiftState());
        }
        return true;
      case WM_LBUTTONUP:
        return MouseUp(TMouseButton::mbLeft, msg, wParam, lParam, result);
      case WM_MBUTTONUP:
        return MouseUp(TMouseButton::mbMiddle, msg, wParam, lParam, result);
      case WM_RBUTTONUP: {
        // Not passed on: the window's own handling would send WM_CONTEXTMENU up to the form.
        MouseUp(TMouseButton::mbRight, msg, wParam, lParam, result, false);
        POINT position{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(Handle(), &position);
        FForm->ShowPopupMenu(position);
        result = 0;
        return true;
      }
      default:
        return false;
    }
  }

  TControl& Owner() const { return FOwner; }
  WinFormPeer& Form() const { return *FForm; }

 private:
  bool MouseUp(TMouseButton button, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
               bool handleFirst = true) {
    if (handleFirst) {
      result = Default(msg, wParam, lParam);
    }
    FOwner.DoMouseUp(button, ShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return true;
  }

  TControl& FOwner;
  WinFormPeer* FForm = nullptr;
  std::u16string FHint;
  std::set<WPARAM> FPressedKeys;
};

}  // namespace toolkit::win32
