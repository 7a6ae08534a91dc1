#include "ElementValues.h"

#include <algorithm>

namespace mm::alsa {
namespace {

int ReadOne(snd_mixer_elem_t* element, Side side, ControlKind kind,
            snd_mixer_selem_channel_id_t channel, long& value) {
  if (kind == ControlKind::Volume) {
    return side == Side::Playback ? snd_mixer_selem_get_playback_volume(element, channel, &value)
                                  : snd_mixer_selem_get_capture_volume(element, channel, &value);
  }
  int on = 0;
  const int result = side == Side::Playback
                         ? snd_mixer_selem_get_playback_switch(element, channel, &on)
                         : snd_mixer_selem_get_capture_switch(element, channel, &on);
  value = on;
  return result;
}

int WriteOne(snd_mixer_elem_t* element, Side side, ControlKind kind,
             snd_mixer_selem_channel_id_t channel, long value) {
  const bool playback = side == Side::Playback;
  if (kind == ControlKind::Volume) {
    return playback ? snd_mixer_selem_set_playback_volume(element, channel, value)
                    : snd_mixer_selem_set_capture_volume(element, channel, value);
  }
  const int on = value != 0 ? 1 : 0;
  return playback ? snd_mixer_selem_set_playback_switch(element, channel, on)
                  : snd_mixer_selem_set_capture_switch(element, channel, on);
}

int WriteAll(snd_mixer_elem_t* element, Side side, ControlKind kind, long value) {
  const bool playback = side == Side::Playback;
  if (kind == ControlKind::Volume) {
    return playback ? snd_mixer_selem_set_playback_volume_all(element, value)
                    : snd_mixer_selem_set_capture_volume_all(element, value);
  }
  const int on = value != 0 ? 1 : 0;
  return playback ? snd_mixer_selem_set_playback_switch_all(element, on)
                  : snd_mixer_selem_set_capture_switch_all(element, on);
}

}  // namespace

std::optional<std::vector<long>> ReadElementValues(snd_mixer_elem_t* element,
                                                   const LineLayout& line, ControlKind kind) {
  std::vector<long> values(line.channels.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (ReadOne(element, line.side, kind, line.channels[i], values[i]) < 0) {
      return std::nullopt;
    }
  }
  return values;
}

bool WriteElementValues(snd_mixer_elem_t* element, const LineLayout& line, ControlKind kind,
                        std::span<const long> values) {
  // One request where the channels agree: a sound server then sees one change, not one per channel.
  if (std::all_of(values.begin(), values.end(), [&](long value) { return value == values[0]; })) {
    return !values.empty() && WriteAll(element, line.side, kind, values[0]) >= 0;
  }
  for (std::size_t i = 0; i < values.size() && i < line.channels.size(); ++i) {
    if (WriteOne(element, line.side, kind, line.channels[i], values[i]) < 0) {
      return false;
    }
  }
  return true;
}

std::optional<VolumeRange> VolumeRangeOf(snd_mixer_elem_t* element, Side side) {
  VolumeRange range;
  const int result =
      side == Side::Playback
          ? snd_mixer_selem_get_playback_volume_range(element, &range.minimum, &range.maximum)
          : snd_mixer_selem_get_capture_volume_range(element, &range.minimum, &range.maximum);
  if (result < 0 || range.maximum <= range.minimum) {
    return std::nullopt;
  }
  return range;
}

}  // namespace mm::alsa
