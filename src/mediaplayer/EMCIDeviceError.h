#pragma once

#include "rtl/Exception.h"

// Raised by TMediaPlayer when a command needs an open device and none is open, or when a device
// cannot be opened.
class EMCIDeviceError : public Exception {
 public:
  using Exception::Exception;
};
