#pragma once

#include <windows.h>

namespace toolkit::win32 {

// Gives a top-level window the application's icon, once one is set.
void SetApplicationIcons(HWND window);

}  // namespace toolkit::win32
