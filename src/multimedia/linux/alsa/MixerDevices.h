#pragma once

#include <string>
#include <vector>

#include "multimedia/mixerapi.h"

namespace mm::alsa {

struct MixerDevice {
  std::string name;     // as ALSA opens it: "default", "hw:0"
  std::string product;  // the card's name, e.g. "PulseAudio"
  DWORD destinations = 0;
};

// The devices that have a mixer with at least one line: ALSA's default first (on a desktop the
// sound server), then every card that the default does not already stand for. ALSA's
// configuration is read afresh, so a sound server started since the last call is found.
std::vector<MixerDevice> FindMixerDevices();

}  // namespace mm::alsa
