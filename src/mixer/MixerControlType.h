#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "mixer/MixerSet.h"
#include "multimedia/mmtypes.h"

enum TMixerControlType : std::uint8_t {
  ctCustom,
  ctBass,
  ctEqualizer,
  ctFader,
  ctTreble,
  ctVolume,
  ctMixer,
  ctMultipleSelect,
  ctMux,
  ctSingleSelect,
  ctBooleanMeter,
  ctPeakMeter,
  ctSignedMeter,
  ctUnsignedMeter,
  ctDecibels,
  ctPercent,
  ctSigned,
  ctUnsigned,
  ctPan,
  ctQsoundPan,
  ctSlider,
  ctBoolean,
  ctButton,
  ctLoudness,
  ctMono,
  ctMute,
  ctOnOff,
  ctStereoEnh,
  ctMicroTime,
  ctMilliTime,
  ctUnknown,
};

using TMixerControlTypes = TSet<TMixerControlType, std::uint32_t>;

// Maps a control's dwControlType; types without a member of their own give ctUnknown.
TMixerControlType ControlTypeOf(mm::DWORD controlType);

// "Unknow" is the established display name of ctUnknown.
inline constexpr std::array<std::u16string_view, 31> ControlTypeNames = {
    u"Custom",      u"Bass",           u"Equalizer", u"Fader",        u"Treble",       u"Volume",
    u"Mixer",       u"MultipleSelect", u"Mux",       u"SingleSelect", u"BooleanMeter", u"PeakMeter",
    u"SignedMeter", u"UnsignedMeter",  u"Decibels",  u"Percent",      u"Signed",       u"Unsigned",
    u"Pan",         u"QsoundPan",      u"Slider",    u"Boolean",      u"Button",       u"Loudness",
    u"Mono",        u"Mute",           u"OnOff",     u"StereoEnh",    u"MicroTime",    u"MilliTime",
    u"Unknow"};
