#pragma once

#include <windows.h>

#include <string>

namespace toolkit::win32 {

// The native window behind a peer. Its messages pass through Message first (a subclass of the
// window's procedure), and the notifications its parent receives about it (WM_COMMAND, WM_NOTIFY,
// WM_HSCROLL, WM_DRAWITEM, WM_CTLCOLOR...) through Notification, so each control handles its own.
// An exception never leaves the window procedure: the application's default handler shows it.
class WinWindow {
 public:
  WinWindow() = default;
  virtual ~WinWindow();
  WinWindow(const WinWindow&) = delete;
  WinWindow& operator=(const WinWindow&) = delete;

  HWND Handle() const { return FHandle; }
  // The tooltip text; empty for the container's.
  virtual const std::u16string& Hint() const = 0;

  // The peer of a window created here, or nullptr.
  static WinWindow* FromHandle(HWND handle);

 protected:
  // Takes ownership of a new window: destroyed with the peer.
  void Attach(HWND handle);
  // True when handled, with the reply in `result`; otherwise the window's own procedure runs.
  virtual bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  virtual bool Notification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The window's own handling of a message.
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK SubclassProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR window);
  HWND FHandle = nullptr;
};

}  // namespace toolkit::win32
