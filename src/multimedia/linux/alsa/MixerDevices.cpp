#include "MixerDevices.h"

#include <alsa/asoundlib.h>

#include "MixerLayout.h"

namespace mm::alsa {
namespace {

struct Probe {
  FoundMixerDevice found;
  int hardwareCard = -1;
};

bool ProbeDevice(const std::string& name, Probe& probe) {
  auto connection = MixerConnection::Open(name);
  if (!connection) {
    return false;
  }
  // Kept for the device's first open, which refreshes it. A connection's first refresh sets up
  // the server's change reports (2 ms through the sound server's plugin): done here, on the
  // scan's thread, the open's refresh only takes what changed since.
  connection->Refresh();
  const auto card = connection->Card();
  probe.found.device = {name, card.name, MixerLayout::Of(*connection).Destinations()};
  probe.found.connection = std::move(connection);
  probe.hardwareCard = card.hardwareCard;
  return probe.found.device.destinations > 0;
}

}  // namespace

std::vector<FoundMixerDevice> FindMixerDevices() {
  // The configuration decides once, when it is read, whether "default" is the sound server:
  // a server started after that stays unseen until it is read again.
  snd_config_update_free_global();
  std::vector<FoundMixerDevice> devices;
  int defaultCard = -1;
  if (Probe probe; ProbeDevice("default", probe)) {
    devices.push_back(std::move(probe.found));
    defaultCard = probe.hardwareCard;
  }
  for (int card = -1; snd_card_next(&card) == 0 && card >= 0;) {
    if (Probe probe; card != defaultCard && ProbeDevice("hw:" + std::to_string(card), probe)) {
      devices.push_back(std::move(probe.found));
    }
  }
  return devices;
}

}  // namespace mm::alsa
