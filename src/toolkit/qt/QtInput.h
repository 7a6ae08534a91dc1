#pragma once

#include <QKeyEvent>
#include <QMouseEvent>
#include <cstdint>

#include "toolkit/Object.h"

namespace toolkit::qt {

// The Windows virtual-key code of a key, 0 for keys without one.
std::uint16_t VirtualKey(const QKeyEvent& event);
// Which physical key an event is about, the same for its press and its release whatever the
// modifiers did in between (Shift+1 presses "!" and may release "1").
int KeyIdentity(const QKeyEvent& event);
TShiftState ShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
TMouseButton MouseButton(Qt::MouseButton button);

}  // namespace toolkit::qt
