#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "MixerTestTables.h"

namespace {

using namespace mm;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

bool IsDestinationQuery(const MixerCallRecord& call) {
  return (call.flags & MIXER_GETLINEINFOF_QUERYMASK) == MIXER_GETLINEINFOF_DESTINATION;
}

TEST(MixerScan, StartsWithTheVolumePanelFilterAndScansOnlyWhenLoaded) {
  SimulatedMixer system({SoundCard(u"Card")});
  TMixer mixer(system);
  EXPECT_EQ(mixer.Target().LineType().Bits(), 0x90134u);
  EXPECT_EQ(mixer.Target().ControlType().Bits(), 0x2000020u);
  EXPECT_TRUE(mixer.AutoScan());
  EXPECT_FALSE(mixer.EnableInvalidItem());
  EXPECT_EQ(mixer.Options(), TMixerOptions{});
  EXPECT_THAT(system.Calls(), IsEmpty());
  EXPECT_EQ(TMixerTarget().LineType(), TMixerLineTypes{});

  mixer.Loaded();

  EXPECT_THAT(
      Describe(mixer),
      ElementsAre("dev Card", "Speakers[Volume,Mute]", "  Wave[Volume,Mute]", "  SW Synth[Volume]",
                  "  CD[Volume,Mute]", "Recording[]", "  Line In[Volume]"));
  EXPECT_EQ(mixer.Master(), mixer.PrimaryDevice()->Items(0));
}

TEST(MixerScan, AComponentNotToScanWhenLoadedWaitsForScan) {
  SimulatedMixer system({SoundCard(u"Card")});
  TMixer mixer(system);
  mixer.SetAutoScan(false);
  mixer.Loaded();
  EXPECT_EQ(mixer.Count(), 0);
  mixer.Scan();
  EXPECT_EQ(mixer.Count(), 1);
}

TEST(MixerScan, AsksTheSystemWithItsRecordSizesAndFlags) {
  SimulatedMixer system({SoundCard(u"Card")});
  TMixer mixer(system);
  mixer.Scan();

  const auto caps = system.CallsOf(MixerCall::GetDevCaps);
  ASSERT_EQ(caps.size(), 1u);
  EXPECT_EQ(caps[0].size, 80u);
  const auto opens = system.CallsOf(MixerCall::Open);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].flags, CALLBACK_WINDOW);
  EXPECT_NE(opens[0].callback, 0u);
  for (const auto& call : system.CallsOf(MixerCall::GetLineInfo)) {
    EXPECT_EQ(call.size, sizeof(MIXERLINEW));
    EXPECT_EQ(call.flags, IsDestinationQuery(call) ? 0x80000000u : 0x80000001u);
    EXPECT_EQ(call.result, 0u);
  }
  // Each destination twice, then its sources; sources of a skipped destination never.
  EXPECT_EQ(system.CallsOf(MixerCall::GetLineInfo).size(), 2u + 4u + 2u + 2u);
  for (const auto& call : system.CallsOf(MixerCall::GetLineControls)) {
    EXPECT_EQ(call.flags, 0x80000000u);
    EXPECT_EQ(call.size, sizeof(MIXERLINECONTROLSW));
    EXPECT_EQ(call.result, 0u);
  }
}

struct FilterCase {
  const char* name;
  std::vector<SimLine> destinations;
  std::function<void(TMixer&)> setUp;
  std::vector<std::string> picture;
};

TEST(MixerScan, KeepsAdmittedLinesWithAdmittedControls) {
  const SimLine speakersVolumeOnly =
      Destination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, u"Speakers",
                  {VolumeControl(), ControlOfType(MIXERCONTROL_CONTROLTYPE_BASS, u"Bass")},
                  {Source(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, u"Mic", {VolumeControl()})});
  const SimLine waveInOverLineIn =
      Destination(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, u"Recording",
                  {ControlOfType(MIXERCONTROL_CONTROLTYPE_MUX, u"Select")},
                  {Source(MIXERLINE_COMPONENTTYPE_SRC_LINE, u"Line In", {VolumeControl()})});
  const SimLine speakersWithoutAnyAdmitted =
      Destination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, u"Speakers",
                  {ControlOfType(MIXERCONTROL_CONTROLTYPE_PEAKMETER, u"Peak")},
                  {Source(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, u"Wave",
                          {ControlOfType(MIXERCONTROL_CONTROLTYPE_PEAKMETER, u"Peak")}),
                   Source(MIXERLINE_COMPONENTTYPE_SRC_LINE, u"Line In", {})});
  const SimLine headphones =
      Destination(MIXERLINE_COMPONENTTYPE_DST_HEADPHONES, u"Phones", {VolumeControl()});
  const auto invalidItems = [](TMixer& mixer) { mixer.SetEnableInvalidItem(true); };

  const FilterCase cases[] = {
      {"a speakers line keeps its volume alone",
       {speakersVolumeOnly},
       {},
       {"dev Card", "Speakers[Volume]"}},
      {"a wave-in line stays without controls for its line-in source",
       {waveInOverLineIn},
       {},
       {"dev Card", "Recording[]", "  Line In[Volume]"}},
      {"a line without admitted controls goes with its sources",
       {speakersWithoutAnyAdmitted, headphones},
       {},
       {"dev Card"}},
      {"EnableInvalidItem keeps every admitted line",
       {speakersWithoutAnyAdmitted, headphones},
       invalidItems,
       {"dev Card", "Speakers[]", "  Wave[]", "  Line In[]"}},
      {"volume controls only",
       {speakersVolumeOnly, SoundCard(u"").destinations[0]},
       [](TMixer& mixer) { mixer.Target().SetControlType({ctVolume}); },
       {"dev Card", "Speakers[Volume]", "Speakers[Volume]", "  Wave[Volume]", "  SW Synth[Volume]",
        "  CD[Volume]"}},
      {"headphones and microphones when asked for",
       {speakersVolumeOnly, headphones},
       [](TMixer& mixer) {
         mixer.Target().SetLineType(
             mixer.Target().LineType().Include(dtHeadphones).Include(ltMicrophone));
       },
       {"dev Card", "Speakers[Volume]", "  Mic[Volume]", "Phones[Volume]"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimulatedMixer system({SimDevice{u"Card", c.destinations}});
    TMixer mixer(system);
    if (c.setUp) {
      c.setUp(mixer);
    }
    mixer.Scan();
    EXPECT_THAT(Describe(mixer), ::testing::ElementsAreArray(c.picture));
  }
}

TEST(MixerScan, MarksEveryMuteControlUniform) {
  SimulatedMixer system({SoundCard(u"Card")});
  TMixer mixer(system);
  mixer.Scan();
  const TMixerCtrl* mute = mixer.Master()->MuteCtrl();
  ASSERT_NE(mute, nullptr);
  EXPECT_TRUE(mute->Status().Contains(csUniform));
  EXPECT_FALSE(mixer.Master()->VolumeCtrl()->Status().Contains(csUniform));
}

struct FailureCase {
  const char* name;
  MixerCall call;
  SimulatedMixer::CallFilter when;
  std::vector<std::string> picture;
};

TEST(MixerScan, AFailingCallOnlyNarrowsTheTree) {
  const auto lineNamed = [](std::u16string name) {
    return [name](const MixerCallRecord& call) {
      // Line IDs as the simulator numbers them: destination d is d, its source s is (s+1)<<16|d.
      static const std::map<std::u16string, DWORD> ids = {
          {u"Speakers", 0}, {u"Wave", 0x10000}, {u"Line In", 0x10001}, {u"Recording", 1}};
      return call.lineId == ids.at(name);
    };
  };
  int destinationZeroQueries = 0;
  const FailureCase cases[] = {
      {"capabilities of the first device",
       MixerCall::GetDevCaps,
       [](const MixerCallRecord& call) { return call.device == 0; },
       {"dev Second", "Speakers[Volume]"}},
      {"opening the first device",
       MixerCall::Open,
       [](const MixerCallRecord& call) { return call.device == 0; },
       {"dev Second", "Speakers[Volume]"}},
      {"the second destination: the rest of the device is skipped",
       MixerCall::GetLineInfo,
       [](const MixerCallRecord& call) {
         return call.device == 0 && call.destination == 1 && IsDestinationQuery(call);
       },
       {"dev Card", "Speakers[Volume,Mute]", "  Wave[Volume,Mute]", "  SW Synth[Volume]",
        "  CD[Volume,Mute]", "dev Second", "Speakers[Volume]"}},
      {"the second look at a destination: its sources stand alone",
       MixerCall::GetLineInfo,
       [&destinationZeroQueries](const MixerCallRecord& call) {
         return call.device == 0 && call.destination == 0 && IsDestinationQuery(call) &&
                ++destinationZeroQueries == 2;
       },
       {"dev Card", "Wave[Volume,Mute]", "SW Synth[Volume]", "CD[Volume,Mute]", "Recording[]",
        "  Line In[Volume]", "dev Second", "Speakers[Volume]"}},
      {"a source line",
       MixerCall::GetLineInfo,
       [](const MixerCallRecord& call) {
         return call.device == 0 && call.destination == 0 && call.source == 0 &&
                !IsDestinationQuery(call);
       },
       {"dev Card", "Speakers[Volume,Mute]", "  SW Synth[Volume]", "  CD[Volume,Mute]",
        "Recording[]", "  Line In[Volume]", "dev Second", "Speakers[Volume]"}},
      {"the controls of a destination with kept sources",
       MixerCall::GetLineControls,
       [lineNamed](const MixerCallRecord& call) {
         return call.device == 0 && lineNamed(u"Speakers")(call);
       },
       {"dev Card", "Speakers[]", "  Wave[Volume,Mute]", "  SW Synth[Volume]", "  CD[Volume,Mute]",
        "Recording[]", "  Line In[Volume]", "dev Second", "Speakers[Volume]"}},
      {"the controls of a source: it stays without them",
       MixerCall::GetLineControls,
       [lineNamed](const MixerCallRecord& call) {
         return call.device == 0 && lineNamed(u"Wave")(call);
       },
       {"dev Card", "Speakers[Volume,Mute]", "  Wave[]", "  SW Synth[Volume]", "  CD[Volume,Mute]",
        "Recording[]", "  Line In[Volume]", "dev Second", "Speakers[Volume]"}},
      {"the controls of the only source of a destination without controls: both go",
       MixerCall::GetLineControls,
       [lineNamed](const MixerCallRecord& call) {
         return call.device == 0 && lineNamed(u"Line In")(call);
       },
       {"dev Card", "Speakers[Volume,Mute]", "  Wave[Volume,Mute]", "  SW Synth[Volume]",
        "  CD[Volume,Mute]", "dev Second", "Speakers[Volume]"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimulatedMixer system(
        {SoundCard(u"Card"),
         {u"Second",
          {Destination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, u"Speakers", {VolumeControl()})}}});
    system.Fail(c.call, MMSYSERR_ERROR, c.when);
    TMixer mixer(system);
    EXPECT_NO_THROW(mixer.Scan());
    EXPECT_THAT(Describe(mixer), ::testing::ElementsAreArray(c.picture));
    EXPECT_EQ(system.OpenHandleCount(), static_cast<std::size_t>(mixer.Count()));
    for (std::int32_t d = 0; d < mixer.Count(); ++d) {
      for (std::int32_t i = 0; i < mixer.Devs(d)->Count(); ++i) {
        const TMixerItem* item = mixer.Devs(d)->Items(i);
        EXPECT_EQ(item->IsDestination() ? item->LineType() : item->DestItem()->LineType(),
                  item->DestType());
      }
    }
  }
}

TEST(MixerScan, WithoutMixerDevicesThereIsNoMaster) {
  SimulatedMixer system;
  TMixer mixer(system);
  mixer.Scan();
  EXPECT_EQ(mixer.Count(), 0);
  EXPECT_EQ(mixer.PrimaryDevice(), nullptr);
  EXPECT_EQ(mixer.Master(), nullptr);
  EXPECT_EQ(mixer.Devs(0), nullptr);
  EXPECT_EQ(mixer.MasterVolume(), -1);
  EXPECT_FALSE(mixer.MasterMute());
  mixer.SetMasterVolume(50);
  mixer.SetMasterMute(true);
  EXPECT_THAT(system.CallsOf(MixerCall::SetControlDetails), IsEmpty());
}

TEST(MixerScan, MasterIsThePrimaryDevicesFirstSpeakersLineOnly) {
  const SimLine speakers =
      Destination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, u"Speakers", {VolumeControl()});
  const SimLine secondSpeakers =
      Destination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, u"Speakers 2", {VolumeControl()});
  const SimLine recording =
      Destination(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, u"Recording", {VolumeControl()});

  SimulatedMixer twoSpeakers({{u"A", {recording, speakers, secondSpeakers}}, {u"B", {speakers}}});
  TMixer mixer(twoSpeakers);
  mixer.Scan();
  EXPECT_EQ(mixer.Master(), mixer.Devs(0)->Items(1));

  SimulatedMixer speakersOnSecondDevice({{u"A", {recording}}, {u"B", {speakers}}});
  TMixer other(speakersOnSecondDevice);
  other.Scan();
  EXPECT_EQ(other.Master(), nullptr);
  EXPECT_EQ(other.MasterVolume(), -1);

  SimulatedMixer system({{u"A", {speakers}}});
  TMixer filtered(system);
  filtered.Target().SetLineType(filtered.Target().LineType().Exclude(dtSpeakers));
  filtered.Target().SetLineType(filtered.Target().LineType().Include(dtHeadphones));
  filtered.Scan();
  EXPECT_EQ(filtered.Master(), nullptr);
}

TEST(MixerScan, ARescanClosesEveryHandleOfThePreviousOne) {
  SimulatedMixer system({SoundCard(u"A"), SoundCard(u"B")});
  {
    TMixer mixer(system);
    mixer.Scan();
    const auto firstOpens = system.CallsOf(MixerCall::Open);
    system.ClearCalls();

    mixer.Scan();

    EXPECT_EQ(mixer.Count(), 2);
    EXPECT_EQ(system.OpenHandleCount(), 2u);
    const auto closes = system.CallsOf(MixerCall::Close);
    ASSERT_EQ(closes.size(), 2u);
    EXPECT_EQ(closes[0].handle, firstOpens[0].handle);
    EXPECT_EQ(closes[1].handle, firstOpens[1].handle);
    EXPECT_EQ(system.CallsOf(MixerCall::Open).size(), 2u);
    // Both closes come before the first open of the new scan.
    EXPECT_EQ(system.Calls()[1].call, MixerCall::Close);
    EXPECT_EQ(mixer.DevOfHandle(firstOpens[0].handle), nullptr);
    EXPECT_EQ(mixer.Master()->Device(),
              mixer.DevOfHandle(system.CallsOf(MixerCall::Open)[0].handle));
  }
  EXPECT_EQ(system.OpenHandleCount(), 0u);
}

TEST(MixerScan, FindsDevicesByHandleAndExactName) {
  SimulatedMixer system({SoundCard(u"Card"), SoundCard(u"Card"), SoundCard(u"USB")});
  TMixer mixer(system);
  mixer.Scan();
  EXPECT_EQ(mixer.DevOfName(u"Card"), mixer.Devs(0));
  EXPECT_EQ(mixer.DevOfName(u"USB"), mixer.Devs(2));
  EXPECT_EQ(mixer.DevOfName(u"usb"), nullptr);
  EXPECT_EQ(mixer.DevOfHandle(mixer.Devs(1)->Handle()), mixer.Devs(1));
  EXPECT_EQ(mixer.DevOfHandle(nullptr), nullptr);

  mixer.SetOptions({moNoDeviceName});
  mixer.Scan();
  EXPECT_EQ(mixer.Devs(2)->Name(), u"");
  EXPECT_EQ(mixer.DevOfName(u""), mixer.Devs(0));
}

// A descendant supplies its own line class through the factory; the component then uses it.
class TFixedVolumeItem : public TMixerItem {
 public:
  using TMixerItem::TMixerItem;
  std::int32_t GetVolume() override { return 42; }
};

class TFactoryMixer : public TMixer {
 public:
  using TMixer::TMixer;
  int devices = 0;
  int items = 0;
  int ctrls = 0;

 protected:
  std::unique_ptr<TMixerDev> CreateDevice(HMIXER Handle, const MIXERCAPSW& MixerCaps,
                                          TMixerOptions Options) override {
    ++devices;
    return TMixer::CreateDevice(Handle, MixerCaps, Options);
  }
  std::unique_ptr<TMixerItem> CreateItem(TMixerDev* AMixerDev, const MIXERLINEW& Line,
                                         TMixerItem* DestItem, DWORD DestNum,
                                         TMixerOptions Options) override {
    ++items;
    return std::make_unique<TFixedVolumeItem>(AMixerDev, Line, DestItem, DestNum, Options);
  }
  std::unique_ptr<TMixerCtrl> CreateCtrl(TMixerItem* Item, const MIXERCONTROLW& Control,
                                         TMixerOptions Options) override {
    ++ctrls;
    return TMixer::CreateCtrl(Item, Control, Options);
  }
};

TEST(MixerScan, BuildsEveryObjectThroughItsFactories) {
  SimulatedMixer system({SoundCard(u"Card")});
  TFactoryMixer mixer(system);
  mixer.Scan();
  EXPECT_EQ(mixer.devices, 1);
  // Filtered lines are never built; the recording line is built, then kept for its source.
  EXPECT_EQ(mixer.items, 6);
  EXPECT_EQ(mixer.ctrls, 8);
  EXPECT_EQ(mixer.MasterVolume(), 42);
  EXPECT_EQ(mixer.Master()->VolumeCtrl()->Parent(), mixer.Master());
}

}  // namespace
