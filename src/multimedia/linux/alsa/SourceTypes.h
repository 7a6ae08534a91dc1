#pragma once

#include <string_view>

#include "multimedia/mixerapi.h"

namespace mm::alsa {

struct SourceType {
  DWORD componentType;
  DWORD targetType;
};

// The mixer component type of a source line, told by its ALSA element's name ("PCM", "Line",
// "CD", "Synth", "Mic", ...); an unknown name is an undefined source.
SourceType SourceTypeOf(std::string_view elementName);

}  // namespace mm::alsa
