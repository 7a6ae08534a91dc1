#pragma once

namespace platform {

// Asks the system to shut down. The outcome is not reported: if the system declines, the
// application simply goes on.
class Shutdown {
 public:
  virtual ~Shutdown() = default;
  virtual void RequestShutdown() = 0;
};

Shutdown& SystemShutdown();

}  // namespace platform
