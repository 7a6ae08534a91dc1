#pragma once

#include <windows.h>

#include "toolkit/MessageBoxRequest.h"

namespace toolkit::win32 {

// The system's MessageBoxW with the buttons' captions of the request. Its buttons must be one of
// the system's sets (OK; OK, Cancel; Yes, No; Yes, No, Cancel). Escape and the title bar's close
// button give the request's escape result.
int ShowMessageBox(HWND owner, const TMessageBoxRequest& box);

}  // namespace toolkit::win32
