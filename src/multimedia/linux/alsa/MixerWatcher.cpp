#include "MixerWatcher.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

#include "ElementValues.h"

namespace mm::alsa {
namespace {

constexpr std::chrono::milliseconds kReconnectInterval{1000};

bool StopRequested(int stopEvent, std::chrono::milliseconds timeout) {
  pollfd descriptor{stopEvent, POLLIN, 0};
  return poll(&descriptor, 1, static_cast<int>(timeout.count())) > 0;
}

}  // namespace

MixerWatcher::MixerWatcher(std::string device, std::shared_ptr<const MixerLayout> layout,
                           HMIXER handle, toolkit::WindowHandle window)
    : FDevice(std::move(device)),
      FLayout(std::move(layout)),
      FHandle(handle),
      FWindow(window),
      FConnection(MixerConnection::Open(FDevice)),
      FSnapshot(FLayout->Controls().size()),
      FStopEvent(eventfd(0, EFD_CLOEXEC)) {
  if (FConnection) {
    TakeChangedControls();
  }
  if (FStopEvent >= 0) {  // without a way to stop it, no thread: the device just stays silent
    FThread = std::thread([this] { Run(); });
  }
}

MixerWatcher::~MixerWatcher() {
  if (FThread.joinable()) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = write(FStopEvent, &one, sizeof one);
    FThread.join();
  }
  if (FStopEvent >= 0) {
    close(FStopEvent);
  }
}

void MixerWatcher::Run() {
  for (;;) {
    if (!FConnection) {
      if (StopRequested(FStopEvent, kReconnectInterval)) {
        return;
      }
      FConnection = MixerConnection::Open(FDevice);
      if (FConnection) {
        PostLineChanges();
        PostControlChanges();
      }
      continue;
    }
    auto descriptors = FConnection->PollDescriptors();
    descriptors.push_back({FStopEvent, POLLIN, 0});
    if (poll(descriptors.data(), descriptors.size(), -1) < 0) {
      if (errno != EINTR) {
        Disconnected();
      }
      continue;
    }
    if (descriptors.back().revents != 0) {
      return;
    }
    bool broken = false;
    for (const auto& descriptor : descriptors) {
      broken = broken || (descriptor.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0;
    }
    // A descriptor that stays ready would spin this loop: a broken one ends the connection.
    if (broken || !FConnection->Refresh()) {
      Disconnected();
      continue;
    }
    PostControlChanges();
  }
}

void MixerWatcher::Post(UINT message, DWORD id) const {
  toolkit::postMessage(FWindow, message, reinterpret_cast<std::uintptr_t>(FHandle),
                       static_cast<std::intptr_t>(id));
}

void MixerWatcher::PostLineChanges() const {
  for (const auto& line : FLayout->Lines()) {
    Post(MM_MIXM_LINE_CHANGE, line.lineId);
  }
}

void MixerWatcher::PostControlChanges() {
  for (const DWORD id : TakeChangedControls()) {
    Post(MM_MIXM_CONTROL_CHANGE, id);
  }
}

// The controls whose values differ from the snapshot, which then takes the new values. A control
// that cannot be read keeps its last known values: its device is going away, and the line changes
// say so.
std::vector<DWORD> MixerWatcher::TakeChangedControls() {
  std::vector<DWORD> changed;
  for (const auto& control : FLayout->Controls()) {
    const auto& line = FLayout->LineOf(control);
    auto* element = FConnection->Find(line.element);
    auto values =
        element != nullptr ? ReadElementValues(element, line, control.kind) : std::nullopt;
    if (values && values != FSnapshot[control.id]) {
      FSnapshot[control.id] = std::move(values);
      changed.push_back(control.id);
    }
  }
  return changed;
}

void MixerWatcher::Disconnected() {
  FConnection.reset();
  PostLineChanges();
}

}  // namespace mm::alsa
