#pragma once

#include <cstdint>
#include <functional>

namespace toolkit {

// Base of everything that raises events: a handler receives the object that raised its event.
class TObject {
 public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
};

using TNotifyEvent = std::function<void(TObject& Sender)>;

// Modifier keys and mouse buttons held while an event happened.
enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
};
using TShiftState = unsigned;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Key is a Windows virtual-key code (VK_RETURN, 'A', ...), 0 for keys without one.
using TKeyEvent = std::function<void(TObject& Sender, std::uint16_t Key, TShiftState Shift)>;
using TMouseEvent =
    std::function<void(TObject& Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

}  // namespace toolkit
