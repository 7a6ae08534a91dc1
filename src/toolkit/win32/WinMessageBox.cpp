#include "toolkit/win32/WinMessageBox.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

#include "toolkit/win32/WinText.h"

namespace toolkit::win32 {
namespace {

struct ButtonSet {
  UINT type;
  std::vector<int> results;  // the system's order, which is the order on screen
};

const ButtonSet& ButtonSetOf(const TMessageBoxRequest& box) {
  static const std::array<ButtonSet, 4> kSets{{
      {MB_OK, {IDOK}},
      {MB_OKCANCEL, {IDOK, IDCANCEL}},
      {MB_YESNO, {IDYES, IDNO}},
      {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
  }};
  std::vector<int> results;
  for (const auto& button : box.Buttons) {
    results.push_back(button.Result);
  }
  std::ranges::sort(results);
  for (const auto& set : kSets) {
    std::vector<int> sorted = set.results;
    std::ranges::sort(sorted);
    if (sorted == results) {
      return set;
    }
  }
  throw std::invalid_argument("no system message box has these buttons");
}

UINT IconStyle(TMessageBoxIcon icon) {
  switch (icon) {
    case TMessageBoxIcon::Error:
      return MB_ICONERROR;
    case TMessageBoxIcon::Warning:
      return MB_ICONWARNING;
    case TMessageBoxIcon::None:
      break;
  }
  return 0;
}

// The box being opened on this thread: the hook renames its buttons as it activates.
struct OpenBox {
  const TMessageBoxRequest* request;
  const ButtonSet* buttons;
};
struct Opening {
  const OpenBox* box = nullptr;
  HHOOK hook = nullptr;
};
thread_local Opening opening;

int TextWidth(HWND control, const std::u16string& text) {
  HDC dc = GetDC(control);
  HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, Wide(text), static_cast<int>(text.size()), &extent);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return extent.cx;
}

// The box sized its buttons for the system's captions: widen them for ours where they need it,
// and the box with them, keeping the row of buttons centred.
void FitButtons(HWND dialog, const TMessageBoxRequest& box, const ButtonSet& buttons) {
  std::vector<HWND> row;
  int needed = 0;
  for (const int result : buttons.results) {
    const auto caption = std::ranges::find(box.Buttons, result, &TMessageBoxButton::Result);
    HWND button = GetDlgItem(dialog, result);
    if (button == nullptr || caption == box.Buttons.end()) {
      return;
    }
    row.push_back(button);
    needed = std::max(needed, TextWidth(button, caption->Caption) + 16);
  }
  RECT first{};
  GetWindowRect(row.front(), &first);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&first), 2);
  const int width = first.right - first.left;
  if (needed <= width) {
    return;
  }
  const int gap = 6;
  const int total = static_cast<int>(row.size()) * (needed + gap) - gap;
  RECT client{};
  GetClientRect(dialog, &client);
  if (total + 2 * first.left > client.right) {
    RECT outer{};
    GetWindowRect(dialog, &outer);
    const int grow = total + 2 * first.left - client.right;
    SetWindowPos(dialog, nullptr, outer.left - grow / 2, outer.top, outer.right - outer.left + grow,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(dialog, &client);
  }
  int left = (client.right - total) / 2;
  for (HWND button : row) {
    SetWindowPos(button, nullptr, left, first.top, needed, first.bottom - first.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    left += needed + gap;
  }
}

constexpr UINT kFitButtons = WM_APP + 1;

// The open box: its buttons are fitted once its own layout is done, and without a Cancel button
// (where the system ignores Escape) Escape gives the request's escape result.
LRESULT CALLBACK BoxProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                         DWORD_PTR openBox) {
  const auto& box = *reinterpret_cast<const OpenBox*>(openBox);
  switch (msg) {
    case kFitButtons:
      FitButtons(dialog, *box.request, *box.buttons);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL &&
          std::ranges::find(box.buttons->results, IDCANCEL) == box.buttons->results.end()) {
        EndDialog(dialog, box.request->EscapeResult);
        return 0;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(dialog, BoxProc, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(dialog, msg, wParam, lParam);
}

LRESULT CALLBACK ActivationHook(int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK hook = opening.hook;
  if (code == HCBT_ACTIVATE && opening.box != nullptr) {
    auto* dialog = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = {};
    GetClassNameW(dialog, className, 16);
    if (std::wstring_view(className) == L"#32770") {
      for (const auto& button : opening.box->request->Buttons) {
        SetDlgItemTextW(dialog, button.Result, Wide(button.Caption));
      }
      SetWindowSubclass(dialog, BoxProc, 1, reinterpret_cast<DWORD_PTR>(opening.box));
      PostMessageW(dialog, kFitButtons, 0, 0);
      UnhookWindowsHookEx(hook);
      opening = {};
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

int ShowMessageBox(HWND owner, const TMessageBoxRequest& box) {
  const ButtonSet& buttons = ButtonSetOf(box);
  const auto defaultIndex = box.Buttons.empty()
                                ? 0
                                : std::ranges::find(buttons.results, box.Buttons.front().Result) -
                                      buttons.results.begin();
  const UINT defaultButton = defaultIndex == 1   ? MB_DEFBUTTON2
                             : defaultIndex == 2 ? MB_DEFBUTTON3
                                                 : 0;
  const OpenBox open{&box, &buttons};
  opening = {&open, SetWindowsHookExW(WH_CBT, ActivationHook, nullptr, GetCurrentThreadId())};
  const int result = MessageBoxW(owner, Wide(box.Text), Wide(box.Caption),
                                 buttons.type | IconStyle(box.Icon) | defaultButton);
  if (opening.hook != nullptr) {  // the box never showed
    UnhookWindowsHookEx(opening.hook);
    opening = {};
  }
  const bool offered = std::ranges::any_of(
      box.Buttons, [result](const TMessageBoxButton& button) { return button.Result == result; });
  return offered ? result : box.EscapeResult;
}

}  // namespace toolkit::win32
