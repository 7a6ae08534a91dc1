#include "MixerConnection.h"

#include "QuietAlsaErrors.h"

namespace mm::alsa {

std::unique_ptr<MixerConnection> MixerConnection::Open(const std::string& device) {
  const QuietAlsaErrors quiet;
  snd_mixer_t* mixer = nullptr;
  if (snd_mixer_open(&mixer, 0) < 0) {
    return nullptr;
  }
  // Element callbacks fire during the load with provisional values; nothing reads them before
  // the load has returned.
  if (snd_mixer_attach(mixer, device.c_str()) < 0 ||
      snd_mixer_selem_register(mixer, nullptr, nullptr) < 0 || snd_mixer_load(mixer) < 0) {
    snd_mixer_close(mixer);
    return nullptr;
  }
  return std::unique_ptr<MixerConnection>(new MixerConnection(device, mixer));
}

MixerConnection::~MixerConnection() {
  snd_mixer_close(FMixer);
}

bool MixerConnection::Refresh() {
  if (!FLost && snd_mixer_handle_events(FMixer) < 0) {
    FLost = true;
  }
  return !FLost;
}

snd_mixer_elem_t* MixerConnection::Find(const ElementRef& element) const {
  snd_mixer_selem_id_t* id = nullptr;
  snd_mixer_selem_id_alloca(&id);
  snd_mixer_selem_id_set_name(id, element.name.c_str());
  snd_mixer_selem_id_set_index(id, element.index);
  return snd_mixer_find_selem(FMixer, id);
}

std::vector<snd_mixer_elem_t*> MixerConnection::Elements() const {
  std::vector<snd_mixer_elem_t*> elements;
  for (auto* element = snd_mixer_first_elem(FMixer); element != nullptr;
       element = snd_mixer_elem_next(element)) {
    elements.push_back(element);
  }
  return elements;
}

std::vector<pollfd> MixerConnection::PollDescriptors() const {
  const int count = snd_mixer_poll_descriptors_count(FMixer);
  std::vector<pollfd> descriptors(count > 0 ? static_cast<std::size_t>(count) : 0);
  if (!descriptors.empty()) {
    const int filled = snd_mixer_poll_descriptors(FMixer, descriptors.data(),
                                                  static_cast<unsigned>(descriptors.size()));
    descriptors.resize(filled > 0 ? static_cast<std::size_t>(filled) : 0);
  }
  return descriptors;
}

CardIdentity MixerConnection::Card() const {
  CardIdentity identity{FDevice};
  snd_hctl_t* hctl = nullptr;
  if (snd_mixer_get_hctl(FMixer, FDevice.c_str(), &hctl) < 0) {
    return identity;
  }
  snd_ctl_t* ctl = snd_hctl_ctl(hctl);
  snd_ctl_card_info_t* info = nullptr;
  snd_ctl_card_info_alloca(&info);
  if (snd_ctl_card_info(ctl, info) < 0) {
    return identity;
  }
  if (const std::string name = snd_ctl_card_info_get_name(info); !name.empty()) {
    identity.name = name;
  }
  if (snd_ctl_type(ctl) == SND_CTL_TYPE_HW) {
    identity.hardwareCard = snd_ctl_card_info_get_card(info);
  }
  return identity;
}

ElementRef RefOf(snd_mixer_elem_t* element) {
  return {snd_mixer_selem_get_name(element), snd_mixer_selem_get_index(element)};
}

}  // namespace mm::alsa
