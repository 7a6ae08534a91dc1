#include "MixerDevices.h"

#include <alsa/asoundlib.h>

#include "MixerConnection.h"
#include "MixerLayout.h"

namespace mm::alsa {
namespace {

struct Probe {
  MixerDevice device;
  int hardwareCard = -1;
};

bool ProbeDevice(const std::string& name, Probe& probe) {
  const auto connection = MixerConnection::Open(name);
  if (!connection) {
    return false;
  }
  const auto card = connection->Card();
  probe.device = {name, card.name, MixerLayout::Of(*connection).Destinations()};
  probe.hardwareCard = card.hardwareCard;
  return probe.device.destinations > 0;
}

}  // namespace

std::vector<MixerDevice> FindMixerDevices() {
  // The configuration decides once, when it is read, whether "default" is the sound server:
  // a server started after that stays unseen until it is read again.
  snd_config_update_free_global();
  std::vector<MixerDevice> devices;
  int defaultCard = -1;
  if (Probe probe; ProbeDevice("default", probe)) {
    devices.push_back(probe.device);
    defaultCard = probe.hardwareCard;
  }
  for (int card = -1; snd_card_next(&card) == 0 && card >= 0;) {
    if (Probe probe; card != defaultCard && ProbeDevice("hw:" + std::to_string(card), probe)) {
      devices.push_back(probe.device);
    }
  }
  return devices;
}

}  // namespace mm::alsa
