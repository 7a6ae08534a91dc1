#include "toolkit/win32/WinApplication.h"

#include <commctrl.h>

#include <cstring>
#include <exception>
#include <span>
#include <utility>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/win32/UnhandledExceptions.h"
#include "toolkit/win32/WinForm.h"
#include "toolkit/win32/WinMessageBox.h"

namespace toolkit::win32 {
namespace {

struct Icons {
  HICON taskSwitch = nullptr;  // ICON_BIG
  HICON titleBar = nullptr;    // ICON_SMALL
};

void Destroy(const Icons& icons) {
  for (HICON icon : {icons.taskSwitch, icons.titleBar}) {
    if (icon != nullptr) {
      DestroyIcon(icon);
    }
  }
}

Icons applicationIcons;

// The image of an .ico file that suits a size best, scaled to it; nullptr for no icon file.
HICON IconFromFile(std::span<const std::byte> file, int size) {
  constexpr std::size_t kHeader = 6;
  constexpr std::size_t kEntry = 16;
  const auto readWord = [&](std::size_t at) {
    WORD value = 0;
    std::memcpy(&value, file.data() + at, sizeof(value));
    return value;
  };
  const auto readDword = [&](std::size_t at) {
    DWORD value = 0;
    std::memcpy(&value, file.data() + at, sizeof(value));
    return value;
  };
  if (file.size() < kHeader || readWord(0) != 0 || readWord(2) != 1) {
    return nullptr;
  }
  const std::size_t count = readWord(4);
  if (count == 0 || file.size() < kHeader + count * kEntry) {
    return nullptr;
  }
  // The smallest image at least as large as asked for, else the largest.
  std::size_t best = 0;
  int bestWidth = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const auto width = static_cast<int>(std::to_integer<unsigned>(file[kHeader + i * kEntry]));
    const int actual = width == 0 ? 256 : width;
    const bool better = bestWidth == 0 || (bestWidth < size ? actual > bestWidth
                                                            : actual >= size && actual < bestWidth);
    if (better) {
      best = i;
      bestWidth = actual;
    }
  }
  const std::size_t entry = kHeader + best * kEntry;
  const DWORD bytes = readDword(entry + 8);
  const DWORD offset = readDword(entry + 12);
  if (offset > file.size() || bytes > file.size() - offset) {
    return nullptr;
  }
  std::vector<BYTE> image(bytes);
  std::memcpy(image.data(), file.data() + offset, bytes);
  return CreateIconFromResourceEx(image.data(), bytes, TRUE, 0x00030000, size, size,
                                  LR_DEFAULTCOLOR);
}

BOOL CALLBACK SetIconsOf(HWND window, LPARAM /*unused*/) {
  SetApplicationIcons(window);
  return TRUE;
}

BOOL CALLBACK FindVisibleForm(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && WinFormPeer::Of(window) != nullptr) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void DispatchOne(MSG& message) {
  if (WinFormPeer* form = WinFormPeer::Of(message.hwnd);
      form != nullptr && form->DialogKey(message)) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  return HandleSessionEnd(msg, wParam, result) ? result
                                               : DefWindowProcW(window, msg, wParam, lParam);
}

// The application's own window: never shown, the owner of message boxes that no visible window
// of the application owns (a second start's notice, errors before the main window shows).
class WinApplicationPeer final : public ApplicationPeer {
 public:
  WinApplicationPeer() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ApplicationWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TApplication";
    RegisterClassExW(&windowClass);
    FWindow = CreateWindowExW(0, L"TApplication", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    // What a device notification's handler throws while no ProcessPostedMessages waits for it.
    SetUnhandledExceptionReporter([](std::exception_ptr error) {
      Application().Dispatch([&error] { std::rethrow_exception(error); });
    });
  }

  ~WinApplicationPeer() override {
    SetUnhandledExceptionReporter({});
    DestroyWindow(FWindow);
    Destroy(std::exchange(applicationIcons, {}));
  }

  void SetIcon(std::span<const std::byte> imageFile) override {
    const Icons previous =
        std::exchange(applicationIcons, {IconFromFile(imageFile, GetSystemMetrics(SM_CXICON)),
                                         IconFromFile(imageFile, GetSystemMetrics(SM_CXSMICON))});
    EnumThreadWindows(GetCurrentThreadId(), SetIconsOf, 0);
    Destroy(previous);
  }

  void Run() override {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      DispatchOne(message);
    }
  }

  void Quit() override { PostQuitMessage(0); }

  void ProcessEvents() override {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));  // for Run
        return;
      }
      DispatchOne(message);
    }
  }

  int ShowMessageBox(const TMessageBoxRequest& box) override {
    return win32::ShowMessageBox(BoxOwner(), box);
  }

 private:
  // The active window, else a visible form, else the application's own window.
  HWND BoxOwner() const {
    if (HWND active = GetActiveWindow()) {
      return active;
    }
    HWND visible = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleForm, reinterpret_cast<LPARAM>(&visible));
    return visible != nullptr ? visible : FWindow;
  }

  HWND FWindow = nullptr;
};

}  // namespace

bool HandleSessionEnd(UINT msg, WPARAM wParam, LRESULT& result) {
  switch (msg) {
    case WM_QUERYENDSESSION:
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      if (wParam != FALSE) {
        Application().EndSession();
      }
      result = 0;
      return true;
    default:
      return false;
  }
}

void SetApplicationIcons(HWND window) {
  if (applicationIcons.taskSwitch != nullptr) {
    SendMessageW(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(applicationIcons.taskSwitch));
  }
  if (applicationIcons.titleBar != nullptr) {
    SendMessageW(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(applicationIcons.titleBar));
  }
}

}  // namespace toolkit::win32

namespace toolkit {

std::unique_ptr<ApplicationPeer> CreateApplicationPeer() {
  return std::make_unique<win32::WinApplicationPeer>();
}

}  // namespace toolkit
