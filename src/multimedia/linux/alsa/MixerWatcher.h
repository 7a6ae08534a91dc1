#pragma once

#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "MixerConnection.h"
#include "MixerLayout.h"
#include "multimedia/mixerapi.h"
#include "toolkit/MessageWindow.h"

namespace mm::alsa {

// Watches one opened device from a thread of its own, on a connection of its own, and posts
// MM_MIXM_CONTROL_CHANGE (handle, control ID) for every control whose value changed, whoever
// changed it, our own handles included. When the device goes away (the sound server stops) it
// posts MM_MIXM_LINE_CHANGE for every line and retries once a second until the device is back,
// then posts the line changes again and a control change for every value that differs. It only
// ever posts: nothing else is called from its thread.
class MixerWatcher {
 public:
  // Takes the current values as the baseline before it returns, so no later change is missed.
  MixerWatcher(std::string device, std::shared_ptr<const MixerLayout> layout, HMIXER handle,
               toolkit::WindowHandle window);
  ~MixerWatcher();  // stops the thread and waits for it
  MixerWatcher(const MixerWatcher&) = delete;
  MixerWatcher& operator=(const MixerWatcher&) = delete;

 private:
  using Snapshot = std::vector<std::optional<std::vector<long>>>;

  void Run();
  void Post(UINT message, DWORD id) const;
  void PostLineChanges() const;
  void PostControlChanges();
  std::vector<DWORD> TakeChangedControls();
  void Disconnected();

  std::string FDevice;
  std::shared_ptr<const MixerLayout> FLayout;
  HMIXER FHandle;
  toolkit::WindowHandle FWindow;
  std::unique_ptr<MixerConnection> FConnection;
  Snapshot FSnapshot;
  int FStopEvent;
  std::thread FThread;
};

}  // namespace mm::alsa
