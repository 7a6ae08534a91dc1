#include "toolkit/MessageWindow.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "toolkit/PostedMessages.h"

namespace toolkit {
namespace {

struct PostedMessage {
  WindowHandle window;
  std::uint32_t msg;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

struct MessageQueue {
  std::mutex lock;
  std::condition_variable posted;
  std::deque<PostedMessage> messages;
  std::unordered_map<WindowHandle, MessageHandler> windows;
  WindowHandle lastHandle = 0;
  std::function<void()> wakeup;
};

MessageQueue& Queue() {
  static MessageQueue queue;
  return queue;
}

}  // namespace

MessageWindow::MessageWindow(MessageHandler handler) {
  auto& queue = Queue();
  const std::lock_guard guard(queue.lock);
  FHandle = ++queue.lastHandle;  // never reused, so a stale handle stays invalid
  queue.windows.emplace(FHandle, std::move(handler));
}

MessageWindow::~MessageWindow() {
  auto& queue = Queue();
  const std::lock_guard guard(queue.lock);
  queue.windows.erase(FHandle);
  std::erase_if(queue.messages, [this](const PostedMessage& m) { return m.window == FHandle; });
}

bool postMessage(WindowHandle window, std::uint32_t msg, std::uintptr_t wParam,
                 std::intptr_t lParam) {
  auto& queue = Queue();
  std::function<void()> wakeup;
  {
    const std::lock_guard guard(queue.lock);
    if (!queue.windows.contains(window)) {
      return false;
    }
    queue.messages.push_back({window, msg, wParam, lParam});
    wakeup = queue.wakeup;
  }
  queue.posted.notify_all();
  if (wakeup) {
    wakeup();
  }
  return true;
}

void ProcessPostedMessages() {
  auto& queue = Queue();
  for (;;) {
    PostedMessage message;
    MessageHandler handler;
    {
      const std::lock_guard guard(queue.lock);
      if (queue.messages.empty()) {
        return;
      }
      message = queue.messages.front();
      queue.messages.pop_front();
      const auto window = queue.windows.find(message.window);
      if (window == queue.windows.end()) {
        continue;
      }
      // A copy: the handler may destroy its own window.
      handler = window->second;
    }
    try {
      handler(message.msg, message.wParam, message.lParam);
    } catch (...) {
      // The error goes to the caller's handler; what is still queued must not wait for the
      // next post to be delivered.
      std::function<void()> wakeup;
      {
        const std::lock_guard guard(queue.lock);
        if (!queue.messages.empty()) {
          wakeup = queue.wakeup;
        }
      }
      if (wakeup) {
        wakeup();
      }
      throw;
    }
  }
}

bool WaitForPostedMessage(std::chrono::milliseconds timeout) {
  auto& queue = Queue();
  std::unique_lock guard(queue.lock);
  return queue.posted.wait_for(guard, timeout, [&queue] { return !queue.messages.empty(); });
}

void SetPostedMessageWakeup(std::function<void()> wakeup) {
  auto& queue = Queue();
  const std::lock_guard guard(queue.lock);
  queue.wakeup = std::move(wakeup);
}

}  // namespace toolkit
