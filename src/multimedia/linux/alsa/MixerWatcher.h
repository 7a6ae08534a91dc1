#pragma once

#include <atomic>
#include <thread>

namespace mm::alsa {

class OpenMixer;

// Waits on an open device's ALSA descriptors on a thread of its own and has the device take in
// each change as it arrives, which posts the change messages; while the device is gone it has the
// device try to come back once a second. It never blocks the device's users for longer than one
// refresh, and it calls nothing but its device.
class MixerWatcher {
 public:
  explicit MixerWatcher(OpenMixer& mixer);
  ~MixerWatcher();  // stops the thread and waits for it
  MixerWatcher(const MixerWatcher&) = delete;
  MixerWatcher& operator=(const MixerWatcher&) = delete;

  // The device's descriptors have changed: wait on the new ones.
  void Wake();

 private:
  void Run();

  OpenMixer& FMixer;
  int FWakeEvent;
  std::atomic<bool> FStopping{false};
  std::thread FThread;
};

}  // namespace mm::alsa
