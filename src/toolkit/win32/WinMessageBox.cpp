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

const ButtonSet& ButtonSetOf(const TMessageBoxSpec& box) {
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
struct OpeningBox {
  const TMessageBoxSpec* spec = nullptr;
  const ButtonSet* buttons = nullptr;
  HHOOK hook = nullptr;
};
thread_local OpeningBox opening;

// Without a Cancel button the system ignores Escape; a spec may want it to answer.
LRESULT CALLBACK EscapeProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                            DWORD_PTR escapeResult) {
  if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    EndDialog(dialog, static_cast<INT_PTR>(escapeResult));
    return 0;
  }
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(dialog, EscapeProc, id);
  }
  return DefSubclassProc(dialog, msg, wParam, lParam);
}

LRESULT CALLBACK ActivationHook(int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK hook = opening.hook;
  if (code == HCBT_ACTIVATE && opening.spec != nullptr) {
    auto* dialog = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = {};
    GetClassNameW(dialog, className, 16);
    if (std::wstring_view(className) == L"#32770") {
      for (const auto& button : opening.spec->Buttons) {
        SetDlgItemTextW(dialog, button.Result, Wide(button.Caption));
      }
      if (std::ranges::find(opening.buttons->results, IDCANCEL) == opening.buttons->results.end()) {
        SetWindowSubclass(dialog, EscapeProc, 1,
                          static_cast<DWORD_PTR>(opening.spec->EscapeResult));
      }
      UnhookWindowsHookEx(hook);
      opening = {};
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

int ShowMessageBox(HWND owner, const TMessageBoxSpec& box) {
  const ButtonSet& buttons = ButtonSetOf(box);
  const auto defaultIndex = box.Buttons.empty()
                                ? 0
                                : std::ranges::find(buttons.results, box.Buttons.front().Result) -
                                      buttons.results.begin();
  const UINT defaultButton = defaultIndex == 1   ? MB_DEFBUTTON2
                             : defaultIndex == 2 ? MB_DEFBUTTON3
                                                 : 0;
  opening = {&box, &buttons,
             SetWindowsHookExW(WH_CBT, ActivationHook, nullptr, GetCurrentThreadId())};
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
