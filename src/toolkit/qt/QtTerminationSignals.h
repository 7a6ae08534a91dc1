#pragma once

#include <QSocketNotifier>
#include <memory>

namespace toolkit::qt {

// SIGTERM, SIGINT and SIGHUP (the session's end, a power-off, Ctrl+C, a closed terminal) end the
// application as closing its main form does. The signal handler only writes to a pipe; the event
// loop reads it and runs the exit there.
class QtTerminationSignals {
 public:
  QtTerminationSignals();

 private:
  std::unique_ptr<QSocketNotifier> FNotifier;
};

}  // namespace toolkit::qt
