#include <gtest/gtest.h>

#include <string>

#include "mixer/Mixers.h"
#include "mixer/SameTextIgnoringCase.h"

namespace {

using namespace mm;

TEST(MixerTypes, LineTypesMapSourcesDestinationsAndUnknownValues) {
  const struct {
    DWORD componentType;
    TMixerLineType type;
    std::u16string_view name;
  } cases[] = {
      {MIXERLINE_COMPONENTTYPE_SRC_UNDEFINED, ltUndefined, u"Undefined"},
      {MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, ltWaveOut, u"WaveOut"},
      {MIXERLINE_COMPONENTTYPE_SRC_ANALOG, ltAnalog, u"Analog"},
      {MIXERLINE_COMPONENTTYPE_SRC_ANALOG + 1, ltUnknown, u"Unknown"},
      {MIXERLINE_COMPONENTTYPE_DST_UNDEFINED, dtUndefined, u"Undefined"},
      {MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, dtSpeakers, u"Speakers"},
      {MIXERLINE_COMPONENTTYPE_DST_VOICEIN, dtVoiceIn, u"Voice"},
      {9, ltUnknown, u"Unknown"},
      {0xFFFFFFFF, ltUnknown, u"Unknown"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.componentType);
    EXPECT_EQ(LineTypeOf(c.componentType), c.type);
    EXPECT_EQ(LineTypeNames[LineTypeOf(c.componentType)], c.name);
  }
}

TEST(MixerTypes, ControlTypesMapEveryKnownTypeAndNameTheRestUnknow) {
  const struct {
    DWORD controlType;
    TMixerControlType type;
    std::u16string_view name;
  } cases[] = {
      {MIXERCONTROL_CONTROLTYPE_CUSTOM, ctCustom, u"Custom"},
      {MIXERCONTROL_CONTROLTYPE_VOLUME, ctVolume, u"Volume"},
      {MIXERCONTROL_CONTROLTYPE_MUTE, ctMute, u"Mute"},
      {MIXERCONTROL_CONTROLTYPE_MUX, ctMux, u"Mux"},
      {MIXERCONTROL_CONTROLTYPE_QSOUNDPAN, ctQsoundPan, u"QsoundPan"},
      {MIXERCONTROL_CONTROLTYPE_MILLITIME, ctMilliTime, u"MilliTime"},
      {MIXERCONTROL_CONTROLTYPE_BASS_BOOST, ctUnknown, u"Unknow"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.controlType);
    EXPECT_EQ(ControlTypeOf(c.controlType), c.type);
    EXPECT_EQ(ControlTypeNames[ControlTypeOf(c.controlType)], c.name);
  }
}

TEST(MixerTypes, StatusKeepsDisabledMultipleAndUniformOnly) {
  EXPECT_EQ(StatusOf(0x80000003), (TMixerControlStatus{csDisabled, csMultiple, csUniform}));
  EXPECT_EQ(StatusOf(0x80000003).Bits(), 7);
  EXPECT_EQ(StatusOf(0x10), TMixerControlStatus{});
  EXPECT_EQ(StatusOf(MIXERCONTROL_CONTROLF_UNIFORM), TMixerControlStatus{csUniform});
}

TEST(MixerTypes, ValueKindsFollowTheControlClass) {
  EXPECT_EQ(ValueKindsOf(ctVolume), TMixerValueKinds{vkUnsigned});
  EXPECT_EQ(ValueKindsOf(ctEqualizer), (TMixerValueKinds{vkUnsigned, vkListText}));
  EXPECT_EQ(ValueKindsOf(ctPan), TMixerValueKinds{vkSigned});
  EXPECT_EQ(ValueKindsOf(ctMute), TMixerValueKinds{vkBoolean});
  EXPECT_EQ(ValueKindsOf(ctMux), (TMixerValueKinds{vkBoolean, vkListText}));
  EXPECT_EQ(ValueKindsOf(ctCustom), TMixerValueKinds{});
  EXPECT_EQ(ValueKindsOf(ctUnknown), TMixerValueKinds{});
  EXPECT_EQ((TMixerValueKinds{vkSigned, vkUnsigned, vkBoolean, vkListText}).Bits(), 0x0F);
}

TEST(MixerTypes, TextOfFieldStopsAtTheFirstZeroOrTheEndAndDropsACutSurrogate) {
  const struct {
    std::u16string field;  // 4 units
    std::u16string text;
  } cases[] = {
      {std::u16string(u"ab\0d", 4), u"ab"},
      {u"abcd", u"abcd"},
      {u"abc\xD83D", u"abc"},
      {std::u16string(u"\xD83D\xDE00\0\0", 4), u"\xD83D\xDE00"},
      {std::u16string(4, u'\0'), u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextOfField(c.field.data(), 4), c.text);
  }
}

TEST(MixerTypes, SameTextIgnoringCaseCoversTheScriptsOfMixerNames) {
  EXPECT_TRUE(SameTextIgnoringCase(u"Stereo Mix", u"sTEREO mIX"));
  EXPECT_TRUE(SameTextIgnoringCase(u"ÉCOUTE", u"écoute"));
  EXPECT_TRUE(SameTextIgnoringCase(u"ŁĄCZE", u"łącze"));
  EXPECT_TRUE(SameTextIgnoringCase(u"ΜΙΚΡΌΦΩΝΟ", u"μικρόφωνο"));
  EXPECT_TRUE(SameTextIgnoringCase(u"МИКРОФОН Ё", u"микрофон ё"));
  EXPECT_TRUE(SameTextIgnoringCase(u"ＣＤ", u"ｃｄ"));
  EXPECT_TRUE(SameTextIgnoringCase(u"ライン入力", u"ライン入力"));
  EXPECT_FALSE(SameTextIgnoringCase(u"Line", u"Line In"));
  EXPECT_FALSE(SameTextIgnoringCase(u"×", u"÷"));
}

}  // namespace
