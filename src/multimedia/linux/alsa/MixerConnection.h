#pragma once

#include <alsa/asoundlib.h>
#include <poll.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace mm::alsa {

// Names one simple mixer element of a device, e.g. ("Master", 0).
struct ElementRef {
  std::string name;
  unsigned index = 0;
  bool operator==(const ElementRef&) const = default;
};

// What a device's control interface says about its card. A sound server's plugin reports a card
// number too, so only a hardware device's number names a card.
struct CardIdentity {
  std::string name;
  int hardwareCard = -1;
};

// One loaded ALSA simple mixer on one device. Not thread-safe: its owner serialises the calls.
// Values it reports are those of the last Refresh (or of the load).
class MixerConnection {
 public:
  // Null when the device cannot be opened (no such card, sound server not running).
  static std::unique_ptr<MixerConnection> Open(const std::string& device);
  ~MixerConnection();
  MixerConnection(const MixerConnection&) = delete;
  MixerConnection& operator=(const MixerConnection&) = delete;

  // Takes in the changes made elsewhere since the last call. False once the device is gone
  // (a stopped server reports EIO from then on); a lost connection stays lost.
  bool Refresh();

  snd_mixer_elem_t* Find(const ElementRef& element) const;
  std::vector<snd_mixer_elem_t*> Elements() const;
  std::vector<pollfd> PollDescriptors() const;
  CardIdentity Card() const;

 private:
  MixerConnection(std::string device, snd_mixer_t* mixer)
      : FDevice(std::move(device)), FMixer(mixer) {}
  std::string FDevice;
  snd_mixer_t* FMixer;
  bool FLost = false;
};

ElementRef RefOf(snd_mixer_elem_t* element);

}  // namespace mm::alsa
