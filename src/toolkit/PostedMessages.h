#pragma once

#include <chrono>
#include <functional>

namespace toolkit {

// Delivers queued messages one at a time, in posting order, until none is left (messages posted
// by the handlers included). UI thread only; handlers may call it again (nested message pump).
void ProcessPostedMessages();

// Blocks until a message is queued or the timeout passes; true when one is waiting.
bool WaitForPostedMessage(std::chrono::milliseconds timeout);

// Called after every post, from the posting thread: lets a GUI event loop schedule a call of
// ProcessPostedMessages on its own thread.
void SetPostedMessageWakeup(std::function<void()> wakeup);

}  // namespace toolkit
