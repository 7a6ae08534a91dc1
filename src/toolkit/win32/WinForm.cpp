#include "toolkit/win32/WinForm.h"

#include <commctrl.h>
#include <cxxabi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <typeinfo>

#include "rtl/Exception.h"
#include "toolkit/win32/WinApplication.h"
#include "toolkit/win32/WinDpi.h"
#include "toolkit/win32/WinNative.h"
#include "toolkit/win32/WinPopupMenu.h"
#include "toolkit/win32/WinText.h"

namespace toolkit::win32 {
namespace {

// A single border, a title bar with the system menu and the minimise button only.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExtendedStyle = WS_EX_CONTROLPARENT;

// The form's C++ class name without namespaces: "TForm1".
std::wstring FormClassName(const TForm& form) {
  int status = 0;
  const std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(typeid(form).name(), nullptr, nullptr, &status), &std::free);
  std::string name = status == 0 ? demangled.get() : typeid(form).name();
  name = name.substr(name.rfind(':') + 1);
  return {name.begin(), name.end()};
}

void RegisterFormClass(const std::wstring& name) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &windowClass)) {
    return;
  }
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name.c_str();
  RegisterClassExW(&windowClass);
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(monitor, &info)) {
    const RECT& work = info.rcWork;
    reinterpret_cast<std::vector<TRect>*>(areas)->push_back(
        {work.left, work.top, work.right - work.left, work.bottom - work.top});
  }
  return TRUE;
}

BOOL CALLBACK SetFontOf(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
  return TRUE;
}

TTTOOLINFOW ToolInfo(HWND form, HWND tool) {
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = form;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = LPSTR_TEXTCALLBACKW;
  return info;
}

}  // namespace

WinFormPeer::WinFormPeer(TForm& owner)
    : FOwner(owner), FFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {}

WinFormPeer::~WinFormPeer() {
  if (FTooltip != nullptr) {
    DestroyWindow(FTooltip);
  }
  if (FFont != GetStockObject(DEFAULT_GUI_FONT)) {
    DeleteObject(FFont);
  }
}

WinFormPeer* WinFormPeer::Of(HWND handle) {
  return dynamic_cast<WinFormPeer*>(FromHandle(GetAncestor(handle, GA_ROOT)));
}

HWND WinFormPeer::Window() {
  if (Handle() == nullptr) {
    Create();
  }
  return Handle();
}

void WinFormPeer::Create() {
  const std::wstring className = FormClassName(FOwner);
  RegisterFormClass(className);
  HWND window = CreateWindowExW(kExtendedStyle, className.c_str(), L"", kStyle, 0, 0, 0, 0, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) {
    throw Exception(u"ウィンドウを作成できません");
  }
  Attach(window);
  SetApplicationIcons(window);
  FTooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  AddTool(window);
}

void WinFormPeer::SetCaption(const std::u16string& caption) {
  SetWindowTextW(Window(), Wide(caption));
}

void WinFormPeer::SetHint(const std::u16string& hint) {
  FHint = hint;
  HintChanged();
}

void WinFormPeer::SetFont(const std::u16string& family, int pixelHeight) {
  HFONT previous = FFont;
  FFont = CreateFontW(-AtSystemDpi(pixelHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, Wide(family));
  EnumChildWindows(Window(), SetFontOf, reinterpret_cast<LPARAM>(FFont));
  if (previous != GetStockObject(DEFAULT_GUI_FONT)) {
    DeleteObject(previous);
  }
}

void WinFormPeer::SetClientSize(int width, int height) {
  RECT frame{0, 0, AtSystemDpi(width), AtSystemDpi(height)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExtendedStyle);
  SetWindowPos(Window(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int WinFormPeer::Left() const {
  return OuterBounds().left;
}

int WinFormPeer::Top() const {
  return OuterBounds().top;
}

void WinFormPeer::SetPosition(int left, int top) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (IsIconic(Window()) && GetWindowPlacement(Window(), &placement)) {
    OffsetRect(&placement.rcNormalPosition, left - placement.rcNormalPosition.left,
               top - placement.rcNormalPosition.top);
    SetWindowPlacement(Window(), &placement);
    return;
  }
  SetWindowPos(Window(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TRect WinFormPeer::FrameBounds() const {
  const RECT bounds = OuterBounds();
  return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

// The top border and the caption, as far as the client area lies below the window's top.
int WinFormPeer::TitleBarHeight() const {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExtendedStyle);
  return -frame.top;
}

std::vector<TRect> WinFormPeer::WorkAreas() const {
  std::vector<TRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

void WinFormPeer::SetPopupMenu(PopupMenuPeer* menu) {
  FPopupMenu = static_cast<WinPopupMenuPeer*>(menu);
}

void WinFormPeer::SetFocusChain(const std::vector<ControlPeer*>& chain) {
  FFocusChain.clear();
  for (ControlPeer* control : chain) {
    FFocusChain.push_back(NativeHandle(*control));
  }
}

void WinFormPeer::Show() {
  // The focus is drawn from the start, not only once the keyboard has been used.
  SendMessageW(Window(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  ShowWindow(Window(), SW_SHOWNORMAL);
  UpdateWindow(Window());
}

bool WinFormPeer::Visible() const {
  return Handle() != nullptr && IsWindowVisible(Handle());
}

// The window only hides: it is destroyed with the form, after the form's destroy handler.
void WinFormPeer::Close() {
  ShowWindow(Window(), SW_HIDE);
  FOwner.DoClosed();
}

bool WinFormPeer::Minimized() const {
  return Handle() != nullptr && IsIconic(Handle());
}

void WinFormPeer::Restore() {
  OpenIcon(Window());
}

void WinFormPeer::BringToFront() {
  SetForegroundWindow(Window());
}

void WinFormPeer::AddTool(HWND control) {
  TTTOOLINFOW info = ToolInfo(Window(), control);
  SendMessageW(FTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void WinFormPeer::RemoveTool(HWND control) {
  TTTOOLINFOW info = ToolInfo(Window(), control);
  SendMessageW(FTooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void WinFormPeer::HintChanged() {
  if (FTooltip != nullptr) {
    SendMessageW(FTooltip, TTM_UPDATE, 0, 0);
  }
}

HWND WinFormPeer::FocusedControl() const {
  return FFocused;
}

// Like the focus of a dialog, the focus of an inactive window is remembered and given to the
// control when the window is activated again.
void WinFormPeer::FocusControl(HWND control) {
  FFocused = control;
  if (GetActiveWindow() == Handle() && !IsIconic(Handle())) {
    ::SetFocus(control);
  }
}

void WinFormPeer::FocusChanged(HWND control) {
  FFocused = control;
}

void WinFormPeer::FocusNext(HWND from, bool forward) {
  const auto count = static_cast<std::ptrdiff_t>(FFocusChain.size());
  const auto current = std::ranges::find(FFocusChain, from) - FFocusChain.begin();
  for (std::ptrdiff_t step = 1; step <= count; ++step) {
    const std::ptrdiff_t index = forward ? current + step : current - step;
    HWND candidate = FFocusChain[static_cast<std::size_t>(((index % count) + count) % count)];
    if (candidate != from && CanFocus(candidate)) {
      FocusControl(candidate);
      return;
    }
  }
  FFocused = nullptr;
  if (GetActiveWindow() == Handle()) {
    ::SetFocus(Handle());
  }
}

bool WinFormPeer::DialogKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_CONTROL) < 0) {
    return false;
  }
  switch (message.wParam) {
    case VK_TAB:
      FocusNext(FFocused, GetKeyState(VK_SHIFT) >= 0);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      const auto wants = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam,
                                      reinterpret_cast<LPARAM>(&message));
      if ((wants & (DLGC_WANTARROWS | DLGC_WANTALLKEYS)) != 0) {
        return false;
      }
      FocusNext(FFocused, message.wParam == VK_RIGHT || message.wParam == VK_DOWN);
      return true;
    }
    default:
      return false;
  }
}

void WinFormPeer::ShowPopupMenu(POINT position) {
  if (FPopupMenu != nullptr) {
    FPopupMenu->Popup(Window(), position);
  }
}

bool WinFormPeer::Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (HandleSessionEnd(msg, wParam, result)) {
    return true;
  }
  switch (msg) {
    case WM_CLOSE:
      Close();
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) != 0) {
        return false;
      }
      [[fallthrough]];
    case WM_SETFOCUS:
      if (FFocused != nullptr && CanFocus(FFocused)) {
        ::SetFocus(FFocused);
      } else {
        FocusNext(FFocused, true);
      }
      return true;
    case WM_CONTEXTMENU: {
      POINT position{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (lParam == -1) {  // from the keyboard: below the focused control's corner
        RECT bounds{};
        GetWindowRect(FFocused != nullptr ? FFocused : Handle(), &bounds);
        position = {bounds.left + 8, bounds.top + 8};
      }
      ShowPopupMenu(position);
      return true;
    }
    case WM_NOTIFY: {
      auto* tip = reinterpret_cast<NMTTDISPINFOW*>(lParam);
      if (tip->hdr.hwndFrom != FTooltip || tip->hdr.code != TTN_GETDISPINFOW) {
        return false;
      }
      FTipText = EffectiveHint(reinterpret_cast<HWND>(tip->hdr.idFrom));
      tip->lpszText = reinterpret_cast<wchar_t*>(FTipText.data());
      return true;
    }
    default:
      return false;
  }
}

// Minimised, a window keeps its position in its placement.
RECT WinFormPeer::OuterBounds() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (IsIconic(Handle()) && GetWindowPlacement(Handle(), &placement)) {
    return placement.rcNormalPosition;
  }
  RECT bounds{};
  GetWindowRect(Handle(), &bounds);
  return bounds;
}

bool WinFormPeer::CanFocus(HWND control) const {
  for (HWND window = control; window != nullptr && window != Handle(); window = GetParent(window)) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0 || (style & WS_DISABLED) != 0) {
      return false;
    }
  }
  return true;
}

// A control without a hint of its own shows its container's.
const std::u16string& WinFormPeer::EffectiveHint(HWND tool) const {
  for (HWND window = tool; window != nullptr && window != Handle(); window = GetParent(window)) {
    const WinWindow* peer = FromHandle(window);
    if (peer != nullptr && !peer->Hint().empty()) {
      return peer->Hint();
    }
  }
  return FHint;
}

}  // namespace toolkit::win32

namespace toolkit {

std::unique_ptr<FormPeer> CreateFormPeer(TForm& owner) {
  return std::make_unique<win32::WinFormPeer>(owner);
}

}  // namespace toolkit
