#pragma once

#include <exception>
#include <functional>

// Exceptions never unwind through Win32 frames: the window procedure of a MessageWindow catches
// what its handler throws. Inside ProcessPostedMessages the exception goes on to its caller, as it
// does on other platforms; a message dispatched by any other loop (the application's, a modal
// box's) has no caller to go to and is reported here.
namespace toolkit::win32 {

// The application object's default handler. Without one, the exception waits for the next
// ProcessPostedMessages, which throws it.
void SetUnhandledExceptionReporter(std::function<void(std::exception_ptr)> reporter);

}  // namespace toolkit::win32
