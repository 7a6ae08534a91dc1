#include "toolkit/qt/QtInput.h"

#include <array>
#include <utility>

namespace toolkit::qt {

std::uint16_t VirtualKey(const QKeyEvent& event) {
  const int key = event.key();
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
    return static_cast<std::uint16_t>(key);  // the same ASCII codes
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
    return static_cast<std::uint16_t>(0x70 + (key - Qt::Key_F1));
  }
  static constexpr std::array<std::pair<int, std::uint16_t>, 19> kKeys{{
      {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},    {Qt::Key_Backtab, 0x09},
      {Qt::Key_Return, 0x0D},    {Qt::Key_Enter, 0x0D},  {Qt::Key_Shift, 0x10},
      {Qt::Key_Control, 0x11},   {Qt::Key_Alt, 0x12},    {Qt::Key_Escape, 0x1B},
      {Qt::Key_Space, 0x20},     {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22},
      {Qt::Key_End, 0x23},       {Qt::Key_Home, 0x24},   {Qt::Key_Left, 0x25},
      {Qt::Key_Up, 0x26},        {Qt::Key_Right, 0x27},  {Qt::Key_Down, 0x28},
      {Qt::Key_Delete, 0x2E},
  }};
  for (const auto& [qtKey, virtualKey] : kKeys) {
    if (qtKey == key) {
      return virtualKey;
    }
  }
  return 0;
}

int KeyIdentity(const QKeyEvent& event) {
  // Synthesised events carry no scan code; keep the two kinds of identity apart.
  constexpr int kScanCodeFlag = 1 << 30;
  const auto scanCode = event.nativeScanCode();
  return scanCode != 0 ? kScanCodeFlag | static_cast<int>(scanCode) : event.key();
}

TShiftState ShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift = 0;
  shift |= modifiers.testFlag(Qt::ShiftModifier) ? ssShift : 0U;
  shift |= modifiers.testFlag(Qt::AltModifier) ? ssAlt : 0U;
  shift |= modifiers.testFlag(Qt::ControlModifier) ? ssCtrl : 0U;
  shift |= buttons.testFlag(Qt::LeftButton) ? ssLeft : 0U;
  shift |= buttons.testFlag(Qt::RightButton) ? ssRight : 0U;
  shift |= buttons.testFlag(Qt::MiddleButton) ? ssMiddle : 0U;
  return shift;
}

TMouseButton MouseButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return TMouseButton::mbRight;
    case Qt::MiddleButton:
      return TMouseButton::mbMiddle;
    default:
      return TMouseButton::mbLeft;
  }
}

}  // namespace toolkit::qt
