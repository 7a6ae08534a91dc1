#pragma once

#include <memory>
#include <string>
#include <vector>

#include "MixerConnection.h"
#include "multimedia/mixerapi.h"

namespace mm::alsa {

struct MixerDevice {
  std::string name;     // as ALSA opens it: "default", "hw:0"
  std::string product;  // the card's name, e.g. "PulseAudio"
  DWORD destinations = 0;
};

// A device found, with the connection the search opened to look at it.
struct FoundMixerDevice {
  MixerDevice device;
  std::unique_ptr<MixerConnection> connection;
};

// The devices that have a mixer with at least one line: ALSA's default first (on a desktop the
// sound server), then every card that the default does not already stand for. ALSA's
// configuration is read afresh, so a sound server started since the last call is found.
std::vector<FoundMixerDevice> FindMixerDevices();

}  // namespace mm::alsa
