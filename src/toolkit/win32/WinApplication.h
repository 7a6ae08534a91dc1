#pragma once

#include <windows.h>

namespace toolkit::win32 {

// Gives a top-level window the application's icon, once one is set.
void SetApplicationIcons(HWND window);

// WM_QUERYENDSESSION and WM_ENDSESSION, for whichever top-level window of the application gets
// them first: the session may end, and when it does the forms' destroy handlers run before the
// answer, since the process is ended without returning from the message loop.
bool HandleSessionEnd(UINT msg, WPARAM wParam, LRESULT& result);

}  // namespace toolkit::win32
