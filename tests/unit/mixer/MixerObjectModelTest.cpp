#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "MixerTestTables.h"

namespace {

using namespace mm;
using ::testing::IsEmpty;

const std::u16string kLongName(64, u'n');

SimDevice NamedCard() {
  SimControl volume = VolumeControl({}, 0, 7);
  volume.shortName = u"Vol";
  volume.bounds = {0, 65535, 0, 0, 0, 0};
  volume.metrics = {31, 0, 0, 0, 0, 0};
  SimLine speakers =
      Destination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, kLongName, {volume, MuteControl({}, 8)});
  speakers.shortName = u"Spk";
  speakers.targetType = MIXERLINE_TARGETTYPE_WAVEOUT;
  speakers.targetName = u"Wave Out Device";
  speakers.channels = 0x102;  // only the low 8 bits count
  SimLine recording = Destination(MIXERLINE_COMPONENTTYPE_DST_WAVEIN,
                                  std::u16string(63, u'r') + u"\xD83D", {VolumeControl()});
  recording.sources = {Source(MIXERLINE_COMPONENTTYPE_SRC_LINE, u"Line In", {VolumeControl()})};
  return {u"Card", {speakers, recording}};
}

TEST(MixerObjectModel, BuildsLinesAndControlsFromTheSystemsRecords) {
  SimulatedMixer system({NamedCard()});
  TMixer mixer(system);
  mixer.Scan();
  const TMixerItem* speakers = mixer.Master();
  ASSERT_NE(speakers, nullptr);
  EXPECT_EQ(speakers->Name(), kLongName);
  EXPECT_EQ(speakers->ShortName(), u"Spk");
  EXPECT_EQ(speakers->TargetName(), u"Wave Out Device");
  EXPECT_EQ(speakers->TargetType(), MIXERLINE_TARGETTYPE_WAVEOUT);
  EXPECT_EQ(speakers->Channel(), 2);
  EXPECT_EQ(speakers->LineId(), 0u);
  EXPECT_EQ(speakers->DestNum(), 0u);
  EXPECT_EQ(speakers->RawBalance(), 1.0f);

  const TMixerItem* recording = mixer.Devs(0)->Items(1);
  EXPECT_EQ(recording->Name(), std::u16string(63, u'r'));  // the cut surrogate goes
  const TMixerItem* lineIn = mixer.Devs(0)->Items(2);
  EXPECT_EQ(lineIn->DestItem(), recording);
  EXPECT_EQ(lineIn->DestType(), dtWaveIn);
  EXPECT_EQ(lineIn->LineType(), ltLine);
  EXPECT_EQ(lineIn->DestNum(), 1u);
  EXPECT_FALSE(lineIn->IsDestination());

  TMixerCtrl* volume = speakers->VolumeCtrl();
  EXPECT_EQ(volume->ControlID(), 7u);
  EXPECT_EQ(volume->Name(), u"Volume");
  EXPECT_EQ(volume->ShortName(), u"Vol");
  EXPECT_EQ(volume->Bounds().Max(), 65535u);
  EXPECT_EQ(volume->Bounds().SignedMin(), 0);
  EXPECT_EQ(volume->Metrics().Steps(), 31u);
  EXPECT_EQ(volume->Parent(), speakers);
  volume->SetShortName(u"V");
  EXPECT_EQ(volume->ShortName(), u"V");
  EXPECT_EQ(volume->Name(), u"Volume");
}

struct OptionCase {
  TMixerOption option;
  std::function<bool(const TMixer&)> dropped;
};

TEST(MixerObjectModel, EachNameOptionLeavesItsTextEmpty) {
  const auto master = [](const TMixer& mixer) { return mixer.Master(); };
  const OptionCase cases[] = {
      {moNoDeviceName, [](const TMixer& m) { return m.Devs(0)->Name().empty(); }},
      {moNoLineName, [&](const TMixer& m) { return master(m)->Name().empty(); }},
      {moNoLineShortName, [&](const TMixer& m) { return master(m)->ShortName().empty(); }},
      {moNoTargetName, [&](const TMixer& m) { return master(m)->TargetName().empty(); }},
      {moNoControlName, [&](const TMixer& m) { return master(m)->VolumeCtrl()->Name().empty(); }},
      {moNoControlShortName,
       [&](const TMixer& m) { return master(m)->VolumeCtrl()->ShortName().empty(); }},
      {moNoControlBounds,
       [&](const TMixer& m) { return master(m)->VolumeCtrl()->Bounds() == TMixerCtrlBounds{}; }},
      {moNoControlMetrics,
       [&](const TMixer& m) { return master(m)->VolumeCtrl()->Metrics() == TMixerCtrlMetrics{}; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.option));
    SimulatedMixer system({NamedCard()});
    TMixer mixer(system);
    mixer.Scan();
    EXPECT_FALSE(c.dropped(mixer));
    mixer.SetOptions({c.option});
    EXPECT_FALSE(c.dropped(mixer)) << "options apply to later scans only";
    mixer.Scan();
    EXPECT_TRUE(c.dropped(mixer));
  }
}

// Speakers with two volume controls and a mute, then a wave source with its own volume; a
// second device of the same shape.
class MixerLookup : public ::testing::Test {
 protected:
  MixerLookup() : system({Card(u"A"), Card(u"B")}), mixer(system) {
    mixer.Scan();
    dev = mixer.Devs(0);
    speakers = dev->Items(0);
    wave = dev->Items(1);
  }

  static SimDevice Card(std::u16string name) {
    SimControl second = VolumeControl();
    second.name = u"Volume 2";
    return {
        std::move(name),
        {Destination(
             MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, u"Out", {VolumeControl(), MuteControl(), second},
             {Source(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, u"Out", {VolumeControl({}, 0, 40)})}),
         Destination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, u"Rear", {VolumeControl()})}};
  }

  SimulatedMixer system;
  TMixer mixer;
  TMixerDev* dev = nullptr;
  TMixerItem* speakers = nullptr;
  TMixerItem* wave = nullptr;
};

TEST_F(MixerLookup, FindsLinesByPositionTypeNameAndId) {
  ASSERT_EQ(dev->Count(), 3);
  TMixerItem* rear = dev->Items(2);
  EXPECT_EQ(dev->GetItem(3), nullptr);
  EXPECT_EQ(dev->GetItem(-1), nullptr);
  EXPECT_EQ(dev->IndexOf(rear), 2);
  EXPECT_EQ(dev->IndexOf(mixer.Devs(1)->Items(0)), -1);
  EXPECT_EQ(dev->ItemOfType(dtSpeakers, 0), speakers);
  EXPECT_EQ(dev->ItemOfType(dtSpeakers, 1), rear);
  EXPECT_EQ(dev->ItemOfType(dtSpeakers, 3), nullptr);
  EXPECT_EQ(dev->ItemOfTypeNext(speakers), rear);
  EXPECT_EQ(dev->ItemOfTypeNext(rear), nullptr);
  EXPECT_EQ(dev->ItemOfTypeNext(mixer.Devs(1)->Items(0)), nullptr);
  EXPECT_EQ(dev->ItemOfTypeNext(nullptr), nullptr);
  EXPECT_EQ(dev->ItemOfName(u"Out", 0), speakers);
  EXPECT_EQ(dev->ItemOfNameNext(speakers), wave);
  EXPECT_EQ(dev->ItemOfNameNext(wave), nullptr);
  EXPECT_EQ(dev->ItemOfName(u"out", 0), nullptr);
  EXPECT_EQ(dev->ItemOfLineID(0x10000), wave);
  EXPECT_EQ(dev->ItemOfLineID(0x999), nullptr);
  EXPECT_EQ(dev->CtrlOfControlID(40), wave->VolumeCtrl());
  EXPECT_EQ(dev->CtrlOfControlID(999), nullptr);
}

TEST_F(MixerLookup, ALinesControlsAreItsOwnRunOnly) {
  ASSERT_EQ(speakers->Count(), 3);
  TMixerCtrl* first = speakers->GetCtrl(0);
  TMixerCtrl* second = speakers->GetCtrl(2);
  EXPECT_EQ(speakers->VolumeCtrl(), first);
  EXPECT_EQ(speakers->MuteCtrl(), speakers->Ctrls(1));
  EXPECT_EQ(speakers->GetCtrl(3), nullptr);  // the wave line's volume follows in the device
  EXPECT_EQ(speakers->GetCtrl(-1), nullptr);
  EXPECT_EQ(speakers->IndexOf(second), 2);
  EXPECT_EQ(speakers->IndexOf(wave->VolumeCtrl()), -1);
  EXPECT_EQ(speakers->CtrlOfTypeNext(first), second);
  EXPECT_EQ(speakers->CtrlOfTypeNext(second), nullptr);
  EXPECT_EQ(speakers->CtrlOfTypeNext(wave->VolumeCtrl()), nullptr);
  EXPECT_EQ(speakers->CtrlOfType({ctMute, ctVolume}, 1), speakers->MuteCtrl());
  EXPECT_EQ(speakers->CtrlOfType({ctVolume}, 3), nullptr);
  EXPECT_EQ(speakers->CtrlOfType({ctVolume}, -1), nullptr);
  EXPECT_TRUE(speakers->VolumeExists());
  EXPECT_TRUE(speakers->MuteExists());
  EXPECT_FALSE(wave->MuteExists());
  EXPECT_EQ(wave->Count(), 1);
}

TEST_F(MixerLookup, ALineWithoutAMultipleItemControlHasNoListAndMakesNone) {
  system.ClearCalls();
  EXPECT_EQ(speakers->MultipleItems(), nullptr);
  EXPECT_EQ(speakers->MultipleItems(), nullptr);
  EXPECT_THAT(system.Calls(), IsEmpty());
}

TEST_F(MixerLookup, ALineWithoutControlsHasAnEmptyRun) {
  SimulatedMixer bare({{u"A",
                        {Destination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, u"Out", {},
                                     {Source(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, u"W", {})})}}});
  TMixer invalid(bare);
  invalid.SetEnableInvalidItem(true);
  invalid.Scan();
  TMixerItem* out = invalid.Master();
  ASSERT_NE(out, nullptr);
  EXPECT_FALSE(out->HasCtrl());
  EXPECT_EQ(out->Count(), 0);
  EXPECT_EQ(out->GetCtrl(0), nullptr);
  EXPECT_EQ(out->VolumeCtrl(), nullptr);
  EXPECT_EQ(out->CtrlOfType({ctVolume}, 0), nullptr);
}

TEST(MixerResultCheck, TurnsResultsIntoSilenceOrErrorsWithTheirMessages) {
  EXPECT_TRUE(CheckMixerResult(MMSYSERR_NOERROR, true, nullptr));
  EXPECT_FALSE(CheckMixerResult(MMSYSERR_NOMEM, false, nullptr));
  const struct {
    MMRESULT code;
    std::u16string message;
  } cases[] = {
      {MMSYSERR_BADDEVICEID, u"デバイスIDは不正です"},
      {MMSYSERR_INVALHANDLE, u"無効なハンドルです"},
      {MMSYSERR_NODRIVER, u"デバイスドライバがありません"},
      {MMSYSERR_NOMEM, u"メモリを割り当てられないかメモリをロックできません"},
      {MMSYSERR_INVALFLAG, u"無効なフラグです"},
      {MMSYSERR_INVALPARAM, u"無効なパラメータです"},
      {MIXERR_INVALLINE, u"無効なラインです"},
      {MIXERR_INVALCONTROL, u"無効なコントロールです"},
      {MMSYSERR_ERROR, u"不明なエラー:1"},
      {MIXERR_INVALVALUE, u"不明なエラー:1026"},
      {0xFFFFFFFF, u"不明なエラー:4294967295"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    try {
      CheckMixerResult(c.code, true, nullptr);
      ADD_FAILURE() << "no error raised";
    } catch (const EMixerError& error) {
      EXPECT_EQ(error.Message(), c.message);
      EXPECT_EQ(error.ErrorCode(), c.code);
      EXPECT_EQ(error.Ctrl(), nullptr);
    }
  }
}

TEST(MixerResultCheck, NamesTheControlInParentheses) {
  for (const auto options : {TMixerOptions{}, TMixerOptions{moNoControlName}}) {
    SimulatedMixer system({SoundCard(u"Card")});
    TMixer mixer(system);
    mixer.SetOptions(options);
    mixer.Scan();
    TMixerCtrl* volume = mixer.Master()->VolumeCtrl();
    try {
      CheckMixerResult(MIXERR_INVALVALUE, true, volume);
      ADD_FAILURE() << "no error raised";
    } catch (const EMixerError& error) {
      EXPECT_EQ(error.Message(),
                volume->Name().empty() ? u"不明なエラー:1026()" : u"不明なエラー:1026(Volume)");
      EXPECT_EQ(error.Ctrl(), volume);
    }
  }
}

}  // namespace
