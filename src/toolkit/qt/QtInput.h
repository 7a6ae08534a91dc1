#pragma once

#include <QKeyEvent>
#include <QMouseEvent>
#include <cstdint>

#include "toolkit/Object.h"

namespace toolkit::qt {

// The Windows virtual-key code of a key, 0 for keys without one.
std::uint16_t VirtualKey(const QKeyEvent& event);
TShiftState ShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
TMouseButton MouseButton(Qt::MouseButton button);

}  // namespace toolkit::qt
