#include "MixerLayout.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "SourceTypes.h"

namespace mm::alsa {
namespace {

constexpr DWORD kDestinationLineIdBase = 0xFFFF0000;

bool HasVolume(snd_mixer_elem_t* element, Side side) {
  return side == Side::Playback ? snd_mixer_selem_has_playback_volume(element) != 0
                                : snd_mixer_selem_has_capture_volume(element) != 0;
}

bool HasSwitch(snd_mixer_elem_t* element, Side side) {
  return side == Side::Playback ? snd_mixer_selem_has_playback_switch(element) != 0
                                : snd_mixer_selem_has_capture_switch(element) != 0;
}

bool Belongs(snd_mixer_elem_t* element, Side side) {
  return !snd_mixer_selem_is_enumerated(element) &&
         (HasVolume(element, side) || HasSwitch(element, side));
}

std::vector<snd_mixer_selem_channel_id_t> ChannelsOf(snd_mixer_elem_t* element, Side side) {
  std::vector<snd_mixer_selem_channel_id_t> channels;
  const bool mono = side == Side::Playback ? snd_mixer_selem_is_playback_mono(element) != 0
                                           : snd_mixer_selem_is_capture_mono(element) != 0;
  if (mono) {
    return {SND_MIXER_SCHN_MONO};
  }
  for (int channel = SND_MIXER_SCHN_FRONT_LEFT; channel <= SND_MIXER_SCHN_LAST; ++channel) {
    const auto id = static_cast<snd_mixer_selem_channel_id_t>(channel);
    const bool has = side == Side::Playback ? snd_mixer_selem_has_playback_channel(element, id)
                                            : snd_mixer_selem_has_capture_channel(element, id);
    if (has) {
      channels.push_back(id);
    }
  }
  if (channels.empty()) {
    channels.push_back(SND_MIXER_SCHN_MONO);
  }
  return channels;
}

DWORD VolumeSteps(snd_mixer_elem_t* element, Side side) {
  long minimum = 0;
  long maximum = 0;
  if (side == Side::Playback) {
    snd_mixer_selem_get_playback_volume_range(element, &minimum, &maximum);
  } else {
    snd_mixer_selem_get_capture_volume_range(element, &minimum, &maximum);
  }
  return static_cast<DWORD>(std::clamp(maximum - minimum, 1L, 65535L));
}

std::string LineName(snd_mixer_elem_t* element) {
  std::string name = snd_mixer_selem_get_name(element);
  if (const unsigned index = snd_mixer_selem_get_index(element); index > 0) {
    name += ' ' + std::to_string(index);
  }
  return name;
}

// The element a destination stands for: the one with the conventional name, else the first
// that has a volume.
snd_mixer_elem_t* DestinationElement(const std::vector<snd_mixer_elem_t*>& elements,
                                     std::string_view name, Side side) {
  const auto named = std::find_if(elements.begin(), elements.end(), [&](auto* element) {
    return name == snd_mixer_selem_get_name(element);
  });
  if (named != elements.end()) {
    return *named;
  }
  const auto withVolume = std::find_if(elements.begin(), elements.end(),
                                       [&](auto* element) { return HasVolume(element, side); });
  return withVolume != elements.end() ? *withVolume : nullptr;
}

std::vector<snd_mixer_elem_t*> ElementsOfSide(const std::vector<snd_mixer_elem_t*>& elements,
                                              Side side) {
  std::vector<snd_mixer_elem_t*> result;
  std::copy_if(elements.begin(), elements.end(), std::back_inserter(result),
               [side](auto* element) { return Belongs(element, side); });
  return result;
}

}  // namespace

MixerLayout MixerLayout::Of(const MixerConnection& connection) {
  MixerLayout layout;
  const auto elements = connection.Elements();
  struct DestinationKind {
    std::string_view name;
    Side side;
    DWORD componentType;
    DWORD targetType;
  };
  constexpr std::array kDestinations{
      DestinationKind{"Master", Side::Playback, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
                      MIXERLINE_TARGETTYPE_WAVEOUT},
      DestinationKind{"Capture", Side::Capture, MIXERLINE_COMPONENTTYPE_DST_WAVEIN,
                      MIXERLINE_TARGETTYPE_WAVEIN},
  };
  for (const auto& kind : kDestinations) {
    auto members = ElementsOfSide(elements, kind.side);
    auto* element = DestinationElement(members, kind.name, kind.side);
    if (element == nullptr) {
      continue;
    }
    std::erase(members, element);
    layout.AddDestination(kind.componentType, kind.targetType, kind.side, element, members);
  }
  return layout;
}

void MixerLayout::AddDestination(DWORD componentType, DWORD targetType, Side side,
                                 snd_mixer_elem_t* element,
                                 const std::vector<snd_mixer_elem_t*>& sources) {
  const DWORD destination = FDestinations++;
  LineLayout line;
  line.destination = destination;
  line.lineId = kDestinationLineIdBase | destination;
  line.componentType = componentType;
  line.targetType = targetType;
  line.connections = static_cast<DWORD>(sources.size());
  line.side = side;
  AddLine(std::move(line), element);
  DWORD source = 0;
  for (auto* sourceElement : sources) {
    const auto type = SourceTypeOf(snd_mixer_selem_get_name(sourceElement));
    LineLayout sourceLine;
    sourceLine.destination = destination;
    sourceLine.source = source;
    sourceLine.isSource = true;
    sourceLine.lineId = (source << 16) | destination;
    sourceLine.componentType = type.componentType;
    sourceLine.targetType = type.targetType;
    sourceLine.side = side;
    AddLine(std::move(sourceLine), sourceElement);
    ++source;
  }
}

void MixerLayout::AddLine(LineLayout line, snd_mixer_elem_t* element) {
  line.name = LineName(element);
  line.element = RefOf(element);
  line.channels = ChannelsOf(element, line.side);
  const std::size_t position = FLines.size();
  const bool playback = line.side == Side::Playback;
  if (HasVolume(element, line.side)) {
    const bool joined = playback ? snd_mixer_selem_has_playback_volume_joined(element) != 0
                                 : snd_mixer_selem_has_capture_volume_joined(element) != 0;
    const auto id = static_cast<DWORD>(FControls.size());
    FControls.push_back({id, position, ControlKind::Volume, joined || line.channels.size() == 1,
                         VolumeSteps(element, line.side)});
    line.controls.push_back(id);
  }
  if (HasSwitch(element, line.side)) {
    const bool joined = playback ? snd_mixer_selem_has_playback_switch_joined(element) != 0
                                 : snd_mixer_selem_has_capture_switch_joined(element) != 0;
    const auto id = static_cast<DWORD>(FControls.size());
    FControls.push_back({id, position, ControlKind::Mute, joined || line.channels.size() == 1, 0});
    line.controls.push_back(id);
  }
  FLines.push_back(std::move(line));
}

const LineLayout* MixerLayout::Destination(DWORD destination) const {
  const auto found = std::find_if(FLines.begin(), FLines.end(), [&](const LineLayout& line) {
    return !line.isSource && line.destination == destination;
  });
  return found != FLines.end() ? &*found : nullptr;
}

const LineLayout* MixerLayout::Source(DWORD destination, DWORD source) const {
  const auto found = std::find_if(FLines.begin(), FLines.end(), [&](const LineLayout& line) {
    return line.isSource && line.destination == destination && line.source == source;
  });
  return found != FLines.end() ? &*found : nullptr;
}

const LineLayout* MixerLayout::LineOfId(DWORD lineId) const {
  const auto found = std::find_if(FLines.begin(), FLines.end(),
                                  [&](const LineLayout& line) { return line.lineId == lineId; });
  return found != FLines.end() ? &*found : nullptr;
}

const LineLayout* MixerLayout::LineOfComponentType(DWORD componentType) const {
  const auto found = std::find_if(FLines.begin(), FLines.end(), [&](const LineLayout& line) {
    return line.componentType == componentType;
  });
  return found != FLines.end() ? &*found : nullptr;
}

const LineLayout* MixerLayout::LineOfTargetType(DWORD targetType) const {
  const auto found = std::find_if(FLines.begin(), FLines.end(), [&](const LineLayout& line) {
    return line.targetType == targetType;
  });
  return found != FLines.end() ? &*found : nullptr;
}

const ControlLayout* MixerLayout::Control(DWORD controlId) const {
  return controlId < FControls.size() ? &FControls[controlId] : nullptr;
}

}  // namespace mm::alsa
