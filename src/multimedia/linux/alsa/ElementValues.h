#pragma once

#include <alsa/asoundlib.h>

#include <optional>
#include <span>
#include <vector>

#include "MixerLayout.h"

namespace mm::alsa {

struct VolumeRange {
  long minimum = 0;
  long maximum = 0;
};

// One control's values as its element holds them: volume steps or switch states (1 is on, i.e.
// not muted), one per channel of the line. Empty when the element cannot be read.
std::optional<std::vector<long>> ReadElementValues(snd_mixer_elem_t* element,
                                                   const LineLayout& line, ControlKind kind);

// Writes one value per channel of the line, or a single value to every channel.
bool WriteElementValues(snd_mixer_elem_t* element, const LineLayout& line, ControlKind kind,
                        std::span<const long> values);

std::optional<VolumeRange> VolumeRangeOf(snd_mixer_elem_t* element, Side side);

}  // namespace mm::alsa
