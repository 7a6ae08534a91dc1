#pragma once

#include <memory>
#include <span>

#include "MixerConnection.h"
#include "MixerDevices.h"
#include "MixerLayout.h"
#include "MixerWatcher.h"
#include "VolumeScale.h"
#include "multimedia/mixerapi.h"
#include "toolkit/MessageWindow.h"

namespace mm::alsa {

// One handle of mixerOpen: the device's lines and controls, fixed when it was opened, a
// connection that reads and writes values on the caller's thread, and, for a callback window, the
// watcher that posts the changes.
class OpenMixer {
 public:
  // Null when the device cannot be opened.
  static std::unique_ptr<OpenMixer> Open(const MixerDevice& device, HMIXER handle,
                                         toolkit::WindowHandle window);

  const MixerDevice& Device() const { return FDevice; }
  const MixerLayout& Layout() const { return *FLayout; }

  // Takes in changes made elsewhere; a lost device (a stopped sound server) is opened again
  // when it has come back. False while it is gone.
  bool Connected();

  // One value per channel of the control's line, or one for all of them: raw volume 0..65535,
  // or mute 1/0. MMSYSERR_NODRIVER while the device is gone.
  MMRESULT Read(const ControlLayout& control, std::span<DWORD> values);
  MMRESULT Write(const ControlLayout& control, std::span<const DWORD> values);

 private:
  OpenMixer(MixerDevice device, std::unique_ptr<MixerConnection> connection);
  snd_mixer_elem_t* ElementOf(const ControlLayout& control);

  MixerDevice FDevice;
  std::unique_ptr<MixerConnection> FConnection;
  std::shared_ptr<const MixerLayout> FLayout;
  WrittenVolumes FWritten;
  std::unique_ptr<MixerWatcher> FWatcher;
};

}  // namespace mm::alsa
