#pragma once

#include <poll.h>

#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "MixerConnection.h"
#include "MixerDevices.h"
#include "MixerLayout.h"
#include "MixerWatcher.h"
#include "VolumeScale.h"
#include "multimedia/mixerapi.h"
#include "toolkit/MessageWindow.h"

namespace mm::alsa {

// One handle of mixerOpen: the device's lines and controls, fixed when it was opened, and one ALSA
// connection that the caller's thread and, for a callback window, the watcher share. Whichever
// takes in changes compares every control with its last known values and posts
// MM_MIXM_CONTROL_CHANGE for those that differ, our own writes included, so a handler that reads
// a value on such a message reads the new one. When the device goes away (a stopped sound server)
// and when it comes back, MM_MIXM_LINE_CHANGE is posted for every line.
class OpenMixer {
 public:
  // Opens `device` over `connection`; null when there is none (the device cannot be opened).
  static std::unique_ptr<OpenMixer> Open(const MixerDevice& device,
                                         std::unique_ptr<MixerConnection> connection, HMIXER handle,
                                         toolkit::WindowHandle window);
  ~OpenMixer();

  const MixerDevice& Device() const { return FDevice; }
  const MixerLayout& Layout() const { return FLayout; }

  // Takes in changes made elsewhere; a lost device is opened again once it has come back.
  // False while it is gone.
  bool Connected();

  // One value per channel of the control's line, or one for all of them: raw volume 0..65535,
  // or mute 1/0. MMSYSERR_NODRIVER while the device is gone.
  MMRESULT Read(const ControlLayout& control, std::span<DWORD> values);
  MMRESULT Write(const ControlLayout& control, std::span<const DWORD> values);

  // For the watcher: what to wait on (nothing while the device is gone), and what to do when it
  // is ready.
  std::vector<pollfd> PollDescriptors();
  void TakeInChanges(bool broken);

 private:
  OpenMixer(MixerDevice device, std::unique_ptr<MixerConnection> connection, HMIXER handle,
            toolkit::WindowHandle window);
  // These expect FLock held.
  bool EnsureConnected();
  void Lose();
  snd_mixer_elem_t* ElementOf(const ControlLayout& control);
  void PostLineChanges() const;
  void PostControlChanges();
  std::vector<DWORD> TakeChangedControls();

  std::mutex FLock;
  MixerDevice FDevice;
  std::unique_ptr<MixerConnection> FConnection;
  const MixerLayout FLayout;
  HMIXER FHandle;
  toolkit::WindowHandle FWindow;
  std::vector<std::optional<std::vector<long>>> FKnownValues;
  WrittenVolumes FWritten;
  std::unique_ptr<MixerWatcher> FWatcher;
};

}  // namespace mm::alsa
