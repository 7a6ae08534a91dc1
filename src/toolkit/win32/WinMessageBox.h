#pragma once

#include <windows.h>

#include "toolkit/MessageBoxSpec.h"

namespace toolkit::win32 {

// The system's MessageBoxW with the buttons' captions of the spec. Its buttons must be one of the
// system's sets (OK; OK, Cancel; Yes, No; Yes, No, Cancel). Escape and the title bar's close
// button give the spec's escape result.
int ShowMessageBox(HWND owner, const TMessageBoxSpec& box);

}  // namespace toolkit::win32
