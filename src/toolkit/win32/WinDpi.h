#pragma once

namespace toolkit::win32 {

// The window is laid out in pixels of a 96 DPI screen; the program declares itself aware of the
// system DPI, so the system no longer stretches its bitmap and it scales the layout itself.
int SystemDpi();
// A length or coordinate of the 96 DPI layout at the system DPI; unchanged at 96 DPI.
int AtSystemDpi(int pixels);

}  // namespace toolkit::win32
