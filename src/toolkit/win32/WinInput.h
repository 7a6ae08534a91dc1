#pragma once

#include <windows.h>

#include "toolkit/Object.h"

namespace toolkit::win32 {

// The modifier keys held now and the buttons in a mouse message's MK_ flags.
TShiftState ShiftState(WPARAM mouseKeys = 0);

}  // namespace toolkit::win32
