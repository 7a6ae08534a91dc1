#include "toolkit/MessageWindow.h"

#include <windows.h>

#include <chrono>
#include <exception>
#include <mutex>
#include <system_error>
#include <utility>

#include "toolkit/PostedMessages.h"
#include "toolkit/win32/UnhandledExceptions.h"

namespace toolkit {
namespace {

constexpr auto kClassName = L"ToolkitMessageWindow";

// The UI thread's pending exception and who reports it; one UI thread per process.
struct Dispatching {
  int postedMessagePumps = 0;
  std::exception_ptr pending;
  std::function<void(std::exception_ptr)> reporter;
};

Dispatching& State() {
  static Dispatching state;
  return state;
}

std::mutex wakeupLock;
std::function<void()> wakeup;

void Pass(std::exception_ptr error) {
  auto& state = State();
  if ((state.postedMessagePumps > 0 || !state.reporter) && !state.pending) {
    state.pending = std::move(error);
  } else if (state.reporter) {
    state.reporter(std::move(error));
  }
}

LRESULT CALLBACK MessageWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto* installed =
      reinterpret_cast<const MessageHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (installed == nullptr) {
    return DefWindowProcW(window, msg, wParam, lParam);
  }
  try {
    // A copy: the handler may destroy its own window.
    const MessageHandler handler = *installed;
    handler(msg, wParam, static_cast<std::intptr_t>(lParam));
  } catch (...) {
    Pass(std::current_exception());
  }
  return 0;
}

ATOM RegisterMessageWindowClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = MessageWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass);
}

HWND Native(WindowHandle handle) {
  return reinterpret_cast<HWND>(handle);
}

void Wake() {
  std::function<void()> wake;
  {
    const std::lock_guard guard(wakeupLock);
    wake = wakeup;
  }
  if (wake) {
    wake();
  }
}

void WakeIfQueued() {
  MSG next;
  if (PeekMessageW(&next, nullptr, 0, 0, PM_NOREMOVE)) {
    Wake();
  }
}

void ThrowPending() {
  if (auto error = std::exchange(State().pending, nullptr)) {
    std::rethrow_exception(error);
  }
}

}  // namespace

namespace win32 {

void SetUnhandledExceptionReporter(std::function<void(std::exception_ptr)> reporter) {
  State().reporter = std::move(reporter);
}

}  // namespace win32

// A message-only window: it never shows and receives no broadcasts, only what is posted to it.
// The handler is installed after creation and removed before destruction, so the system's own
// creation and destruction messages never reach it.
MessageWindow::MessageWindow(MessageHandler handler) {
  static const ATOM registered = RegisterMessageWindowClass();
  HWND window = CreateWindowExW(0, MAKEINTATOM(registered), L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "CreateWindowExW");
  }
  SetWindowLongPtrW(window, GWLP_USERDATA,
                    reinterpret_cast<LONG_PTR>(new MessageHandler(std::move(handler))));
  FHandle = reinterpret_cast<WindowHandle>(window);
}

MessageWindow::~MessageWindow() {
  HWND window = Native(FHandle);
  auto* handler = reinterpret_cast<MessageHandler*>(SetWindowLongPtrW(window, GWLP_USERDATA, 0));
  // The system drops whatever is still queued for a destroyed window.
  DestroyWindow(window);
  delete handler;
}

bool postMessage(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam,
                 std::intptr_t lParam) {
  // PostMessageW(nullptr, ...) would post to the calling thread instead.
  if (window == 0 || !PostMessageW(Native(window), msg, wParam, lParam)) {
    return false;
  }
  Wake();
  return true;
}

// Pumps every message of the thread, as a nested Windows message loop does: the posted messages
// of MessageWindows come through the same queue as input and painting.
void ProcessPostedMessages() {
  auto& state = State();
  ThrowPending();
  ++state.postedMessagePumps;
  struct Leave {
    Dispatching& state;
    ~Leave() { --state.postedMessagePumps; }
  } leave{state};
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the loop that waits for it
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    if (state.pending) {
      // The system's loop would deliver the rest anyway; a loop of the caller's own is told so.
      WakeIfQueued();
      ThrowPending();
    }
  }
}

bool WaitForPostedMessage(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  MSG message;
  for (;;) {
    if (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_POSTMESSAGE)) {
      return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      return false;
    }
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left.count()), QS_POSTMESSAGE,
                                MWMO_INPUTAVAILABLE);
  }
}

void SetPostedMessageWakeup(std::function<void()> wake) {
  const std::lock_guard guard(wakeupLock);
  wakeup = std::move(wake);
}

}  // namespace toolkit
