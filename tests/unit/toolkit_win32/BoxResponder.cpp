#include "BoxResponder.h"

#include <array>

namespace {

BoxResponder* responder = nullptr;

std::u16string TextOf(HWND window) {
  std::array<wchar_t, 512> text{};
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return {reinterpret_cast<const char16_t*>(text.data()), static_cast<std::size_t>(length)};
}

std::u16string ClassOf(HWND window) {
  std::array<wchar_t, 64> name{};
  const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  return {reinterpret_cast<const char16_t*>(name.data()), static_cast<std::size_t>(length)};
}

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && ClassOf(window) == u"#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

BoxResponder::Icon IconOf(HWND image) {
  const auto icon = reinterpret_cast<HICON>(SendMessageW(image, STM_GETICON, 0, 0));
  if (icon == nullptr) {
    return BoxResponder::Icon::None;
  }
  if (icon == LoadIconW(nullptr, IDI_ERROR)) {
    return BoxResponder::Icon::Error;
  }
  if (icon == LoadIconW(nullptr, IDI_WARNING)) {
    return BoxResponder::Icon::Warning;
  }
  return BoxResponder::Icon::Other;
}

}  // namespace

BoxResponder::BoxResponder(std::u16string answer)
    : FAnswer(std::move(answer)), FTimer(SetTimer(nullptr, 0, 50, Tick)) {
  responder = this;
}

BoxResponder::BoxResponder(WORD key) : FKey(key), FTimer(SetTimer(nullptr, 0, 50, Tick)) {
  responder = this;
}

BoxResponder::~BoxResponder() {
  KillTimer(nullptr, FTimer);
  responder = nullptr;
}

void CALLBACK BoxResponder::Tick(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
  if (box != nullptr && responder != nullptr) {
    responder->Answer(box);
  }
}

void BoxResponder::Answer(HWND box) {
  if (box == FAnswered) {
    return;
  }
  FAnswered = box;
  Box shown;
  shown.Caption = TextOf(box);
  HWND chosen = nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) {
      continue;
    }
    const std::u16string windowClass = ClassOf(child);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (windowClass == u"Button") {
      shown.Buttons.push_back(TextOf(child));
      if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        shown.DefaultButton = TextOf(child);
      }
      if (TextOf(child) == FAnswer) {
        chosen = child;
      }
    } else if (windowClass == u"Static" && (style & SS_TYPEMASK) == SS_ICON) {
      shown.Shown = IconOf(child);
    } else if (windowClass == u"Static" && !TextOf(child).empty()) {
      shown.Text = TextOf(child);
    }
  }
  FBoxes.push_back(shown);
  if (FKey != 0) {
    // As the keyboard does: the box's dialog manager turns the key into its command.
    PostMessageW(GetFocus(), WM_KEYDOWN, FKey, 1);
    PostMessageW(GetFocus(), WM_KEYUP, FKey, static_cast<LPARAM>(0xC0000001));
  } else if (chosen != nullptr) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(chosen), BN_CLICKED),
                 reinterpret_cast<LPARAM>(chosen));
  }
}
