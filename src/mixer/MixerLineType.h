#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "mixer/MixerSet.h"
#include "multimedia/mmtypes.h"

// The kind of a mixer line: source types (lt) first, then destination types (dt). ltUnknown sits
// between them and also stands for an unrecognised destination type.
enum TMixerLineType : std::uint8_t {
  ltUndefined,
  ltDigital,
  ltLine,
  ltMicrophone,
  ltSynthesizer,
  ltCompactDisk,
  ltTelephone,
  ltPcSpeaker,
  ltWaveOut,
  ltAuxiliary,
  ltAnalog,
  ltUnknown,
  dtUndefined,
  dtDigital,
  dtLine,
  dtMonitor,
  dtSpeakers,
  dtHeadphones,
  dtTelephone,
  dtWaveIn,
  dtVoiceIn,
};

using TMixerLineTypes = TSet<TMixerLineType, std::uint32_t>;

// Maps a line's dwComponentType.
TMixerLineType LineTypeOf(mm::DWORD componentType);

inline constexpr std::array<std::u16string_view, 21> LineTypeNames = {
    u"Undefined", u"Digital",   u"Line",    u"Microphone", u"Synthesizer", u"CompactDisk",
    u"Telephone", u"PcSpeaker", u"WaveOut", u"Auxiliary",  u"Analog",      u"Unknown",
    u"Undefined", u"Digital",   u"Line",    u"Monitor",    u"Speakers",    u"Headphones",
    u"Telephone", u"WaveIn",    u"Voice"};
