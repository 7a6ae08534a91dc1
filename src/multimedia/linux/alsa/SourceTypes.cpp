#include "SourceTypes.h"

#include <array>

namespace mm::alsa {
namespace {

struct NamedSource {
  std::string_view prefix;
  SourceType type;
};

// Matched as the first word of the name, so "Mic Boost" is a microphone and "Line Out" a line.
constexpr std::array kNamedSources{
    NamedSource{"PCM", {MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, MIXERLINE_TARGETTYPE_WAVEOUT}},
    NamedSource{"Wave", {MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, MIXERLINE_TARGETTYPE_WAVEOUT}},
    NamedSource{"Line", {MIXERLINE_COMPONENTTYPE_SRC_LINE, MIXERLINE_TARGETTYPE_UNDEFINED}},
    NamedSource{"CD", {MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, MIXERLINE_TARGETTYPE_UNDEFINED}},
    NamedSource{"Synth", {MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, MIXERLINE_TARGETTYPE_MIDIOUT}},
    NamedSource{"MIDI", {MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, MIXERLINE_TARGETTYPE_MIDIOUT}},
    NamedSource{"Mic", {MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, MIXERLINE_TARGETTYPE_UNDEFINED}},
    NamedSource{"Aux", {MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY, MIXERLINE_TARGETTYPE_UNDEFINED}},
    NamedSource{"Phone", {MIXERLINE_COMPONENTTYPE_SRC_TELEPHONE, MIXERLINE_TARGETTYPE_UNDEFINED}},
    NamedSource{"Beep", {MIXERLINE_COMPONENTTYPE_SRC_PCSPEAKER, MIXERLINE_TARGETTYPE_UNDEFINED}},
    NamedSource{"PC Speaker",
                {MIXERLINE_COMPONENTTYPE_SRC_PCSPEAKER, MIXERLINE_TARGETTYPE_UNDEFINED}},
    NamedSource{"IEC958", {MIXERLINE_COMPONENTTYPE_SRC_DIGITAL, MIXERLINE_TARGETTYPE_UNDEFINED}},
};

bool StartsWithWord(std::string_view name, std::string_view word) {
  return name.starts_with(word) && (name.size() == word.size() || name[word.size()] == ' ');
}

}  // namespace

SourceType SourceTypeOf(std::string_view elementName) {
  for (const auto& named : kNamedSources) {
    if (StartsWithWord(elementName, named.prefix)) {
      return named.type;
    }
  }
  return {MIXERLINE_COMPONENTTYPE_SRC_UNDEFINED, MIXERLINE_TARGETTYPE_UNDEFINED};
}

}  // namespace mm::alsa
