#include "toolkit/MessageWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "toolkit/PostedMessages.h"

namespace {

using namespace std::chrono_literals;

struct Received {
  std::uint32_t msg;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  bool operator==(const Received&) const = default;
};

TEST(MessageWindow, DeliversPostsFromAnotherThreadInOrderOnTheCallingThread) {
  std::vector<Received> received;
  const auto uiThread = std::this_thread::get_id();
  bool allOnUiThread = true;
  toolkit::MessageWindow window([&](std::uint32_t msg, std::uintptr_t w, std::intptr_t l) {
    allOnUiThread = allOnUiThread && std::this_thread::get_id() == uiThread;
    received.push_back({msg, w, l});
  });
  constexpr int kCount = 1000;
  std::thread poster([handle = window.Handle()] {
    for (int i = 0; i < kCount; ++i) {
      toolkit::postMessage(handle, 0x3B9, static_cast<std::uintptr_t>(i), -i);
    }
  });
  while (received.size() < kCount) {
    toolkit::WaitForPostedMessage(100ms);
    toolkit::ProcessPostedMessages();
  }
  poster.join();
  ASSERT_EQ(received.size(), static_cast<std::size_t>(kCount));
  for (int i = 0; i < kCount; ++i) {
    EXPECT_EQ(received[static_cast<std::size_t>(i)],
              (Received{0x3B9, static_cast<std::uintptr_t>(i), -i}));
  }
  EXPECT_TRUE(allOnUiThread);
}

TEST(MessageWindow, HandlersCanPumpAndPostAgainWithoutLosingOrder) {
  std::vector<std::uintptr_t> order;
  toolkit::MessageWindow window([&](std::uint32_t, std::uintptr_t w, std::intptr_t) {
    order.push_back(w);
    if (w == 1) {
      toolkit::postMessage(window.Handle(), 0, 3, 0);
      toolkit::ProcessPostedMessages();  // nested pump delivers 2, then 3
    }
  });
  toolkit::postMessage(window.Handle(), 0, 1, 0);
  toolkit::postMessage(window.Handle(), 0, 2, 0);
  toolkit::ProcessPostedMessages();
  EXPECT_EQ(order, (std::vector<std::uintptr_t>{1, 2, 3}));
}

TEST(MessageWindow, DestroyedWindowsReceiveNothing) {
  int calls = 0;
  toolkit::WindowHandle stale = 0;
  {
    toolkit::MessageWindow window([&](std::uint32_t, std::uintptr_t, std::intptr_t) { ++calls; });
    stale = window.Handle();
    // A device notification: Windows refuses to post system messages that carry pointers.
    EXPECT_TRUE(toolkit::postMessage(stale, 0x3B9, 0, 0));
  }
  EXPECT_FALSE(toolkit::postMessage(stale, 0x3B9, 0, 0));
  EXPECT_FALSE(toolkit::postMessage(0, 0x3B9, 0, 0));
  toolkit::ProcessPostedMessages();
  EXPECT_EQ(calls, 0);
  EXPECT_FALSE(toolkit::WaitForPostedMessage(0ms));
}

}  // namespace

namespace {

TEST(MessageWindow, AHandlerErrorLeavesTheRestQueuedAndWakesTheLoopAgain) {
  int wakeups = 0;
  toolkit::SetPostedMessageWakeup([&wakeups] { ++wakeups; });
  std::vector<std::uintptr_t> delivered;
  toolkit::MessageWindow window([&](std::uint32_t, std::uintptr_t w, std::intptr_t) {
    delivered.push_back(w);
    if (w == 1) {
      throw std::runtime_error("handler failed");
    }
  });
  toolkit::postMessage(window.Handle(), 0, 1, 0);
  toolkit::postMessage(window.Handle(), 0, 2, 0);
  wakeups = 0;
  EXPECT_THROW(toolkit::ProcessPostedMessages(), std::runtime_error);
  EXPECT_EQ(wakeups, 1);  // the loop is asked to come back for message 2
  toolkit::ProcessPostedMessages();
  toolkit::SetPostedMessageWakeup({});
  EXPECT_EQ(delivered, (std::vector<std::uintptr_t>{1, 2}));
}

}  // namespace
