#include "toolkit/win32/WinDpi.h"

#include <windows.h>

namespace toolkit::win32 {

int SystemDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int logPixels = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return logPixels > 0 ? logPixels : USER_DEFAULT_SCREEN_DPI;
  }();
  return dpi;
}

int AtSystemDpi(int pixels) {
  return MulDiv(pixels, SystemDpi(), USER_DEFAULT_SCREEN_DPI);
}

}  // namespace toolkit::win32
