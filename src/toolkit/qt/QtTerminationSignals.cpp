#include "toolkit/qt/QtTerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "toolkit/Application.h"

namespace toolkit::qt {
namespace {

int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  // A full pipe already holds a request: the byte is not needed.
  [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
  errno = savedErrno;
}

// Once per process, and for its whole life: a second signal during the exit is one more byte
// nobody reads, never an end in the middle of writing the settings.
bool InstallHandlers() {
  static const bool installed = [] {
    if (::pipe2(signalPipe, O_NONBLOCK | O_CLOEXEC) != 0) {
      return false;
    }
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
      sigaction(signal, &action, nullptr);
    }
    return true;
  }();
  return installed;
}

}  // namespace

QtTerminationSignals::QtTerminationSignals() {
  if (!InstallHandlers()) {
    return;
  }
  FNotifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [] {
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    Application().Dispatch([] { Application().Terminate(); });
  });
}

}  // namespace toolkit::qt
