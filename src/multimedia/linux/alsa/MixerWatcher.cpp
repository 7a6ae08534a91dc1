#include "MixerWatcher.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

#include "OpenMixer.h"

namespace mm::alsa {
namespace {

constexpr std::chrono::milliseconds kReconnectInterval{1000};

}  // namespace

MixerWatcher::MixerWatcher(OpenMixer& mixer)
    : FMixer(mixer), FWakeEvent(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (FWakeEvent >= 0) {  // without a way to stop it, no thread: the device just stays silent
    FThread = std::thread([this] { Run(); });
  }
}

MixerWatcher::~MixerWatcher() {
  FStopping = true;
  if (FThread.joinable()) {
    Wake();
    FThread.join();
  }
  if (FWakeEvent >= 0) {
    close(FWakeEvent);
  }
}

void MixerWatcher::Wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const auto written = write(FWakeEvent, &one, sizeof one);
}

void MixerWatcher::Run() {
  while (!FStopping) {
    auto descriptors = FMixer.PollDescriptors();
    const bool connected = !descriptors.empty();
    descriptors.push_back({FWakeEvent, POLLIN, 0});
    const int timeout = connected ? -1 : static_cast<int>(kReconnectInterval.count());
    if (poll(descriptors.data(), descriptors.size(), timeout) < 0) {
      if (errno != EINTR) {  // out of resources: wait a little rather than spin
        poll(&descriptors.back(), 1, static_cast<int>(kReconnectInterval.count()));
      }
      continue;
    }
    if (descriptors.back().revents != 0) {
      std::uint64_t count = 0;
      [[maybe_unused]] const auto read = ::read(FWakeEvent, &count, sizeof count);
      continue;
    }
    if (!connected) {
      FMixer.Connected();
      continue;
    }
    descriptors.pop_back();
    bool broken = false;
    for (const auto& descriptor : descriptors) {
      broken = broken || (descriptor.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0;
    }
    FMixer.TakeInChanges(broken);
  }
}

}  // namespace mm::alsa
