#pragma once

#include <cstdint>
#include <functional>

namespace toolkit {

// Identifies a MessageWindow across threads; 0 names none. On Windows it is the window's HWND.
using WindowHandle = std::uintptr_t;

using MessageHandler =
    std::function<void(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)>;

// A hidden window that only receives posted messages: the callback window of devices that
// notify from their own threads. Create, destroy and handle on the UI thread only.
class MessageWindow {
 public:
  explicit MessageWindow(MessageHandler handler);
  ~MessageWindow();
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  WindowHandle Handle() const { return FHandle; }

 private:
  WindowHandle FHandle;
};

// Queues a message for the window's handler; safe from any thread. False when no such window
// exists. Messages still queued for a window when it is destroyed are dropped.
bool postMessage(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam,
                 std::intptr_t lParam);

}  // namespace toolkit
