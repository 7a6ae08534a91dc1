#pragma once

#include "toolkit/Application.h"

namespace support {

// The application object of a test program, on the backend of the OS: created at the first call,
// destroyed after the last test.
toolkit::TApplication& TestApplication();

}  // namespace support
