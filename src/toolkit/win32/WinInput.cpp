#include "toolkit/win32/WinInput.h"

namespace toolkit::win32 {

TShiftState ShiftState(WPARAM mouseKeys) {
  TShiftState shift = 0;
  shift |= GetKeyState(VK_SHIFT) < 0 ? ssShift : 0U;
  shift |= GetKeyState(VK_MENU) < 0 ? ssAlt : 0U;
  shift |= GetKeyState(VK_CONTROL) < 0 ? ssCtrl : 0U;
  shift |= (mouseKeys & MK_LBUTTON) != 0 ? ssLeft : 0U;
  shift |= (mouseKeys & MK_RBUTTON) != 0 ? ssRight : 0U;
  shift |= (mouseKeys & MK_MBUTTON) != 0 ? ssMiddle : 0U;
  return shift;
}

}  // namespace toolkit::win32
