#include "OpenMixer.h"

#include <vector>

#include "ElementValues.h"

namespace mm::alsa {

std::unique_ptr<OpenMixer> OpenMixer::Open(const MixerDevice& device, HMIXER handle,
                                           toolkit::WindowHandle window) {
  auto connection = MixerConnection::Open(device.name);
  if (!connection) {
    return nullptr;
  }
  std::unique_ptr<OpenMixer> mixer(new OpenMixer(device, std::move(connection)));
  mixer->FDevice.destinations = mixer->FLayout->Destinations();
  if (window != 0) {
    mixer->FWatcher = std::make_unique<MixerWatcher>(device.name, mixer->FLayout, handle, window);
  }
  return mixer;
}

OpenMixer::OpenMixer(MixerDevice device, std::unique_ptr<MixerConnection> connection)
    : FDevice(std::move(device)),
      FConnection(std::move(connection)),
      FLayout(std::make_shared<const MixerLayout>(MixerLayout::Of(*FConnection))) {}

bool OpenMixer::Connected() {
  if (FConnection && FConnection->Refresh()) {
    return true;
  }
  FConnection = MixerConnection::Open(FDevice.name);
  return FConnection != nullptr;
}

snd_mixer_elem_t* OpenMixer::ElementOf(const ControlLayout& control) {
  return Connected() ? FConnection->Find(FLayout->LineOf(control).element) : nullptr;
}

MMRESULT OpenMixer::Read(const ControlLayout& control, std::span<DWORD> values) {
  auto* element = ElementOf(control);
  if (element == nullptr) {
    return MMSYSERR_NODRIVER;
  }
  const auto& line = FLayout->LineOf(control);
  const auto current = ReadElementValues(element, line, control.kind);
  if (!current) {
    return MMSYSERR_NODRIVER;
  }
  if (control.kind == ControlKind::Mute) {
    for (std::size_t channel = 0; channel < values.size(); ++channel) {
      values[channel] = (*current)[channel] == 0 ? 1 : 0;
    }
    return MMSYSERR_NOERROR;
  }
  const auto range = VolumeRangeOf(element, line.side);
  for (std::size_t channel = 0; channel < values.size(); ++channel) {
    const long value = (*current)[channel];
    values[channel] = range ? FWritten.RawOf(control.id, channel, value, *range) : 0;
  }
  return MMSYSERR_NOERROR;
}

MMRESULT OpenMixer::Write(const ControlLayout& control, std::span<const DWORD> values) {
  auto* element = ElementOf(control);
  if (element == nullptr) {
    return MMSYSERR_NODRIVER;
  }
  const auto& line = FLayout->LineOf(control);
  std::vector<long> elementValues(values.size());
  if (control.kind == ControlKind::Mute) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      elementValues[i] = values[i] != 0 ? 0 : 1;
    }
    return WriteElementValues(element, line, control.kind, elementValues) ? MMSYSERR_NOERROR
                                                                          : MMSYSERR_NODRIVER;
  }
  const auto range = VolumeRangeOf(element, line.side);
  if (!range) {
    return MMSYSERR_NOERROR;  // a volume without steps has nothing to set
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    elementValues[i] = ElementVolumeOfRaw(values[i], *range);
  }
  if (!WriteElementValues(element, line, control.kind, elementValues)) {
    return MMSYSERR_NODRIVER;
  }
  // One value stands for every channel.
  const std::size_t channels = values.size() == 1 ? line.channels.size() : values.size();
  for (std::size_t channel = 0; channel < channels; ++channel) {
    const std::size_t i = values.size() == 1 ? 0 : channel;
    FWritten.Remember(control.id, channel, std::min<DWORD>(values[i], kRawVolumeMaximum),
                      elementValues[i]);
  }
  return MMSYSERR_NOERROR;
}

}  // namespace mm::alsa
