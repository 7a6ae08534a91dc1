#include "support/DialogResponder.h"

#include <windows.h>

#include <array>
#include <map>

namespace support {
namespace {

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

// The system's message boxes show the system's shared icons.
toolkit::TMessageBoxIcon IconOf(HWND image) {
  const auto icon = reinterpret_cast<HICON>(SendMessageW(image, STM_GETICON, 0, 0));
  if (icon != nullptr && icon == LoadIconW(nullptr, IDI_ERROR)) {
    return toolkit::TMessageBoxIcon::Error;
  }
  if (icon != nullptr && icon == LoadIconW(nullptr, IDI_WARNING)) {
    return toolkit::TMessageBoxIcon::Warning;
  }
  return toolkit::TMessageBoxIcon::None;
}

}  // namespace

// A thread timer, whose ticks the box's own message loop dispatches, looks for an open box.
class DialogResponder::Watch {
 public:
  explicit Watch(DialogResponder& responder)
      : FResponder(responder), FTimer(SetTimer(nullptr, 0, 20, Tick)) {
    watches[FTimer] = this;
  }
  ~Watch() {
    KillTimer(nullptr, FTimer);
    watches.erase(FTimer);
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    const auto watch = watches.find(timer);
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (watch != watches.end() && box != nullptr && box != watch->second->FAnswered) {
      watch->second->FAnswered = box;  // a box closes a moment after its answer
      Answer(watch->second->FResponder, box);
    }
  }

  static void Answer(DialogResponder& responder, HWND box) {
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
        if (TextOf(child) == responder.FAnswer) {
          chosen = child;
        }
      } else if (windowClass == u"Static" && (style & SS_TYPEMASK) == SS_ICON) {
        shown.Icon = IconOf(child);
      } else if (windowClass == u"Static" && !TextOf(child).empty()) {
        shown.Text = TextOf(child);
      }
    }
    responder.FBoxes.push_back(shown);
    if (chosen != nullptr) {
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(chosen), BN_CLICKED),
                   reinterpret_cast<LPARAM>(chosen));
    } else {
      // As the keyboard does: the box's dialog manager turns the key into its command.
      const WPARAM key = responder.FKey == Key::Return ? VK_RETURN : VK_ESCAPE;
      PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
      PostMessageW(GetFocus(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    }
  }

  static inline std::map<UINT_PTR, Watch*> watches;
  DialogResponder& FResponder;
  HWND FAnswered = nullptr;
  UINT_PTR FTimer;
};

DialogResponder::DialogResponder(std::u16string answer)
    : FAnswer(std::move(answer)), FWatch(std::make_unique<Watch>(*this)) {}

DialogResponder::DialogResponder(Key key) : FKey(key), FWatch(std::make_unique<Watch>(*this)) {}

DialogResponder::~DialogResponder() = default;

}  // namespace support
