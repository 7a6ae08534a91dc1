#include <gtest/gtest.h>

#include <array>
#include <string>

#include "MixerRecords.h"
#include "SourceTypes.h"

namespace {

using namespace mm;

TEST(SourceTypes, ElementNamesGiveTheirSourceTypesByFirstWord) {
  struct Case {
    const char* name;
    DWORD componentType;
    DWORD targetType;
  };
  const Case cases[] = {
      {"PCM", MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, MIXERLINE_TARGETTYPE_WAVEOUT},
      {"Line", MIXERLINE_COMPONENTTYPE_SRC_LINE, MIXERLINE_TARGETTYPE_UNDEFINED},
      {"Line Boost", MIXERLINE_COMPONENTTYPE_SRC_LINE, MIXERLINE_TARGETTYPE_UNDEFINED},
      {"CD", MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, MIXERLINE_TARGETTYPE_UNDEFINED},
      {"Synth", MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, MIXERLINE_TARGETTYPE_MIDIOUT},
      {"MIDI", MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, MIXERLINE_TARGETTYPE_MIDIOUT},
      {"Mic Boost", MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, MIXERLINE_TARGETTYPE_UNDEFINED},
      {"Aux", MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY, MIXERLINE_TARGETTYPE_UNDEFINED},
      {"PC Speaker", MIXERLINE_COMPONENTTYPE_SRC_PCSPEAKER, MIXERLINE_TARGETTYPE_UNDEFINED},
      {"PCMX", MIXERLINE_COMPONENTTYPE_SRC_UNDEFINED, MIXERLINE_TARGETTYPE_UNDEFINED},
      {"Headphone", MIXERLINE_COMPONENTTYPE_SRC_UNDEFINED, MIXERLINE_TARGETTYPE_UNDEFINED},
  };
  for (const auto& c : cases) {
    const auto type = alsa::SourceTypeOf(c.name);
    EXPECT_EQ(type.componentType, c.componentType) << c.name;
    EXPECT_EQ(type.targetType, c.targetType) << c.name;
  }
}

TEST(CopyName, CutsToTheFieldWithItsZeroAndNeverHalvesASurrogatePair) {
  std::array<WCHAR, 16> field;
  field.fill(u'x');
  alsa::CopyName("Master", field.data(), field.size());
  EXPECT_EQ(std::u16string(field.data()), u"Master");
  EXPECT_EQ(field[15], u'\0');

  alsa::CopyName("ABCDEFGHIJKLMNOPQRSTU", field.data(), field.size());
  EXPECT_EQ(std::u16string(field.data()), u"ABCDEFGHIJKLMNO");

  // 14 units, then U+1F50A as a pair at units 14 and 15: only the 14 fit.
  alsa::CopyName("ABCDEFGHIJKLMN\xF0\x9F\x94\x8A", field.data(), field.size());
  EXPECT_EQ(std::u16string(field.data()), u"ABCDEFGHIJKLMN");
}

}  // namespace
