#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "MixerTestTables.h"

namespace {

using namespace mm;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

enum ControlId : DWORD { kStereo = 1, kMute, kMono, kSix, kUniform, kPlainVolume };

// Speakers lines of every shape a volume control comes in, the stereo one first (the master).
SimDevice Lines() {
  const auto speakers = [](std::u16string name, DWORD channels, std::vector<SimControl> controls) {
    SimLine line =
        Destination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, std::move(name), std::move(controls));
    line.channels = channels;
    return line;
  };
  return {u"Card",
          {speakers(u"Stereo", 2, {VolumeControl({}, 0, kStereo), MuteControl({}, kMute)}),
           speakers(u"Mono", 1, {VolumeControl({}, 0, kMono)}),
           speakers(u"Six", 6, {VolumeControl({1, 2, 3, 4, 5, 6}, 0, kSix)}),
           speakers(u"Uniform", 2, {VolumeControl({}, MIXERCONTROL_CONTROLF_UNIFORM, kUniform)}),
           speakers(u"Mute only", 2, {MuteControl()})}};
}

class MixerVolume : public ::testing::Test {
 protected:
  MixerVolume() : system({Lines()}), mixer(system) { mixer.Scan(); }

  TMixerItem& Line(std::u16string_view name) { return *mixer.Devs(0)->ItemOfName(name, 0); }

  std::vector<std::vector<DWORD>> Writes() const {
    std::vector<std::vector<DWORD>> writes;
    for (const auto& call : system.CallsOf(MixerCall::SetControlDetails)) {
      writes.push_back(call.values);
    }
    return writes;
  }

  SimulatedMixer system;
  TMixer mixer;
};

TEST_F(MixerVolume, ReadsTheLouderChannelAndMeasuresTheBalanceOfLoudPairs) {
  const struct {
    std::vector<DWORD> raw;
    std::int32_t volume;
    float balance;  // stored ratio after the read, from 1.0
  } cases[] = {
      {{0, 40000}, 61, 131071.0f},
      {{40000, 0}, 61, 0.0f},
      {{1000, 1500}, 2, 1.0f},  // too quiet to measure
      {{327, 327}, 0, 1.0f},
      {{328, 0}, 1, 1.0f},
      {{32768, 16384}, 50, 0.5f},
      {{32770, 32770}, 50, 1.0f},
      {{32750, 32768}, 50, 1.0f},                                   // within a thousandth: kept
      {{32735, 32768}, 50, static_cast<float>(32768.0 / 32735.0)},  // beyond it: taken
      {{65535, 65535}, 100, 1.0f},
      {{70000, 0}, 107, 0.0f},  // reading does not clamp
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.raw[0] << ", " << c.raw[1]);
    TMixerItem& stereo = Line(u"Stereo");
    stereo.SetRawBalance(1.0f);
    system.SetValues(kStereo, c.raw);
    EXPECT_EQ(stereo.Volume(), c.volume);
    EXPECT_EQ(stereo.RawBalance(), c.balance);
    EXPECT_EQ(stereo.RawVolume(), (TMixerVolume{c.raw[0], c.raw[1]}));
  }
  Line(u"Stereo").SetRawBalance(1.0f);
  system.SetValues(kStereo, {0, 40000});
  Line(u"Stereo").Volume();
  EXPECT_EQ(Line(u"Stereo").Balance(), 100);
}

TEST_F(MixerVolume, WritesPercentsRoundedHalfToEven) {
  const struct {
    std::int32_t percent;
    DWORD raw;
  } cases[] = {{0, 0},      {1, 655},    {10, 6554},  {30, 19660},  {40, 26214}, {50, 32768},
               {70, 45874}, {90, 58982}, {99, 64880}, {100, 65535}, {-5, 0},     {250, 65535}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.percent);
    system.SetValues(kMono, {12345});
    Line(u"Mono").SetVolume(c.percent);
    EXPECT_THAT(system.Values(kMono), ElementsAre(c.raw));
  }
}

TEST_F(MixerVolume, KeepsTheBalanceWhileTheVolumeChanges) {
  TMixerItem& stereo = Line(u"Stereo");
  stereo.SetVolume(50);
  stereo.SetBalance(30);
  EXPECT_THAT(system.Values(kStereo), ElementsAre(32768u, 14043u));
  EXPECT_EQ(stereo.RawBalance(), 0.42857143f);
  EXPECT_EQ(stereo.Volume(), 50);
  EXPECT_EQ(stereo.RawBalance(), 0.42857143f);  // 14043 / 32768 lies within the tolerance
  EXPECT_EQ(stereo.Balance(), 30);

  stereo.SetVolume(0);
  EXPECT_THAT(system.Values(kStereo), ElementsAre(0u, 0u));
  EXPECT_EQ(stereo.Volume(), 0);
  stereo.SetVolume(60);
  EXPECT_EQ(stereo.Balance(), 30);
  EXPECT_THAT(system.Values(kStereo), ElementsAre(39321u, 16852u));
}

TEST_F(MixerVolume, ReadsBackEveryVolumeAndBalanceItWrites) {
  TMixerItem& stereo = Line(u"Stereo");
  for (const std::int32_t balance : {0, 1, 25, 30, 50, 75, 99, 100}) {
    stereo.SetVolume(100);
    stereo.SetBalance(balance);
    for (std::int32_t volume = 0; volume <= 100; ++volume) {
      stereo.SetVolume(volume);
      ASSERT_EQ(stereo.Volume(), volume) << "balance " << balance;
    }
  }
  stereo.SetVolume(37);
  for (std::int32_t balance = 0; balance <= 100; ++balance) {
    stereo.SetBalance(balance);
    ASSERT_EQ(stereo.Balance(), balance);
    ASSERT_EQ(stereo.Volume(), 37) << "balance " << balance;
  }
  const struct {
    std::int32_t balance;
    std::vector<DWORD> raw;
  } full[] = {{25, {65535, 21845}}, {75, {21845, 65535}}, {0, {65535, 0}},
              {100, {0, 65535}},    {-20, {65535, 0}},    {120, {0, 65535}}};
  for (const auto& c : full) {
    stereo.SetBalance(50);
    stereo.SetVolume(100);
    stereo.SetBalance(c.balance);
    EXPECT_EQ(system.Values(kStereo), c.raw) << "balance " << c.balance;
  }
}

TEST_F(MixerVolume, WritesOnlyWhenTheRawPairChanges) {
  system.SetValues(kStereo, {32770, 32770});
  TMixerItem& stereo = Line(u"Stereo");
  EXPECT_EQ(stereo.Volume(), 50);
  stereo.SetVolume(50);
  stereo.SetVolume(50);
  EXPECT_THAT(Writes(), ElementsAre(ElementsAre(32768u, 32768u)));
}

TEST_F(MixerVolume, AMonoLineWritesOneValueAndNeverMeasuresABalance) {
  TMixerItem& mono = Line(u"Mono");
  mono.SetRawBalance(3.0f);
  mono.SetVolume(40);
  EXPECT_THAT(Writes(), ElementsAre(ElementsAre(26214u)));
  EXPECT_EQ(mono.RawVolume(), (TMixerVolume{26214, 0}));
  EXPECT_EQ(mono.Volume(), 40);
  EXPECT_EQ(mono.RawBalance(), 3.0f);
  EXPECT_EQ(mono.Balance(), 75);
}

TEST_F(MixerVolume, ASixChannelLineChangesItsFirstTwoChannelsOnly) {
  TMixerItem& six = Line(u"Six");
  EXPECT_EQ(six.RawVolume(), (TMixerVolume{1, 2}));
  six.SetVolume(50);
  EXPECT_THAT(system.Values(kSix), ElementsAre(32768u, 32768u, 3u, 4u, 5u, 6u));
  six.SetRawVolume({70000, 100});
  EXPECT_THAT(system.Values(kSix), ElementsAre(65535u, 100u, 3u, 4u, 5u, 6u));
}

TEST_F(MixerVolume, AUniformStereoControlHoldsOneValue) {
  TMixerItem& uniform = Line(u"Uniform");
  system.SetValues(kUniform, {40000});
  EXPECT_EQ(uniform.RawVolume(), (TMixerVolume{40000, 0}));
  EXPECT_EQ(uniform.Volume(), 61);
  EXPECT_EQ(uniform.RawBalance(), 0.0f);
  EXPECT_EQ(uniform.Balance(), 0);
  uniform.SetBalance(75);
  EXPECT_THAT(system.Values(kUniform), ElementsAre(13325u));  // 61 % is 39976, over 3.0
  uniform.SetBalance(100);
  EXPECT_THAT(system.Values(kUniform), ElementsAre(0u));
  EXPECT_EQ(system.CallsOf(MixerCall::SetControlDetails).back().channels, 1u);
}

TEST_F(MixerVolume, NoBalanceAutoUpdateLeavesTheStoredBalanceToTheCaller) {
  mixer.SetOptions({moNoBalanceAutoUpdate});
  system.SetValues(kStereo, {0, 40000});
  EXPECT_EQ(Line(u"Stereo").Volume(), 61);
  EXPECT_EQ(Line(u"Stereo").RawBalance(), 1.0f);
  EXPECT_EQ(Line(u"Stereo").UpdateBalance(), (TMixerVolume{0, 40000}));
  EXPECT_EQ(Line(u"Stereo").RawBalance(), 131071.0f);
}

TEST_F(MixerVolume, StoredRatiosStayWithinLeftOnlyAndRightOnly) {
  TMixerItem& stereo = Line(u"Stereo");
  const struct {
    float written;
    float stored;
    std::int32_t balance;
  } cases[] = {{0.5f, 0.5f, 33},
               {-2.0f, 0.0f, 0},
               {1e9f, 131071.0f, 100},
               {std::numeric_limits<float>::infinity(), 131071.0f, 100},
               {std::numeric_limits<float>::quiet_NaN(), 131071.0f, 100}};
  for (const auto& c : cases) {
    stereo.SetRawBalance(c.written);
    EXPECT_EQ(stereo.RawBalance(), c.stored);
    EXPECT_EQ(stereo.Balance(), c.balance);
    stereo.SetVolume(80);
    EXPECT_EQ(stereo.Volume(), 80);
  }
}

TEST_F(MixerVolume, SetVolumeExSlowsDownAsItNearsTheTarget) {
  TMixerItem& stereo = Line(u"Stereo");
  std::vector<std::int32_t> steps;
  while (stereo.SetVolumeEx(5, 80)) {
    steps.push_back(stereo.Volume());
    ASSERT_LT(steps.size(), 100u);
  }
  EXPECT_THAT(steps, ElementsAre(17, 31, 42, 51, 58, 63, 67, 71, 74, 76, 78, 79, 80));

  steps.clear();
  while (stereo.SetVolumeEx(0, 77)) {
    steps.push_back(stereo.Volume());
  }
  EXPECT_THAT(steps, ElementsAre(79, 78, 77));

  EXPECT_TRUE(stereo.SetVolumeEx(25, 3));
  EXPECT_EQ(stereo.Volume(), 3);
  system.ClearCalls();
  EXPECT_FALSE(stereo.SetVolumeEx(25, 3));
  EXPECT_THAT(Writes(), IsEmpty());
}

TEST_F(MixerVolume, SetVolumeExEndsEvenForTargetsOutsideThePercentRange) {
  TMixerItem& stereo = Line(u"Stereo");
  for (const auto& [step, target, reached] :
       {std::tuple{5, 300, 100}, std::tuple{-7, -50, 0}, std::tuple{2147483647, 100, 100}}) {
    int calls = 0;
    while (stereo.SetVolumeEx(step, target)) {
      ASSERT_LT(++calls, 200) << "target " << target;
    }
    EXPECT_EQ(stereo.Volume(), reached);
  }
}

TEST_F(MixerVolume, ALineWithoutVolumeControlReadsMinusOneAndIgnoresWrites) {
  TMixerItem& muteOnly = Line(u"Mute only");
  system.ClearCalls();
  EXPECT_EQ(muteOnly.Volume(), -1);
  EXPECT_EQ(muteOnly.RawVolume(), TMixerVolume{});
  muteOnly.SetVolume(50);
  muteOnly.SetRawVolume({1, 1});
  muteOnly.SetBalance(25);
  EXPECT_EQ(muteOnly.RawBalance(), 1.0f / 3.0f);
  EXPECT_TRUE(muteOnly.SetVolumeEx(5, 40));
  EXPECT_FALSE(muteOnly.SetVolumeEx(5, 0));
  EXPECT_THAT(system.CallsOf(MixerCall::SetControlDetails), IsEmpty());
}

TEST_F(MixerVolume, MuteReadsAndWritesOneValueOnlyWhenItChanges) {
  TMixerItem& stereo = Line(u"Stereo");
  EXPECT_FALSE(stereo.Mute());
  stereo.SetMute(false);
  stereo.SetMute(true);
  stereo.SetMute(true);
  EXPECT_TRUE(stereo.Mute());
  stereo.SetMute(false);
  EXPECT_THAT(Writes(), ElementsAre(ElementsAre(1u), ElementsAre(0u)));
  EXPECT_THAT(system.Values(kMute), ElementsAre(0u, 0u));
  EXPECT_EQ(system.CallsOf(MixerCall::GetControlDetails).front().channels, 1u);

  system.ClearCalls();
  EXPECT_FALSE(Line(u"Mono").Mute());
  Line(u"Mono").SetMute(true);
  EXPECT_THAT(system.Calls(), IsEmpty());
}

TEST_F(MixerVolume, MasterAccessorsFollowTheMasterLine) {
  mixer.SetMasterVolume(120);
  EXPECT_THAT(system.Values(kStereo), ElementsAre(65535u, 65535u));
  EXPECT_EQ(mixer.MasterVolume(), 100);
  mixer.SetMasterMute(true);
  EXPECT_TRUE(mixer.MasterMute());
  EXPECT_THAT(system.Values(kMute), ElementsAre(1u, 1u));
}

TEST_F(MixerVolume, ABalanceIsStoredOnlyAfterASuccessfulRead) {
  TMixerItem& stereo = Line(u"Stereo");
  system.SetValues(kStereo, {0, 40000});
  system.Fail(MixerCall::GetControlDetails, MMSYSERR_NODRIVER);
  EXPECT_THROW(stereo.Volume(), EMixerError);
  EXPECT_THROW(stereo.SetBalance(20), EMixerError);
  EXPECT_EQ(stereo.RawBalance(), 1.0f);

  system.ClearFailures();
  system.Fail(MixerCall::SetControlDetails, MMSYSERR_NODRIVER);
  EXPECT_THROW(stereo.SetBalance(20), EMixerError);
  EXPECT_EQ(stereo.RawBalance(), 0.25f);
  EXPECT_THROW(mixer.SetMasterVolume(10), EMixerError);
  EXPECT_THAT(system.Values(kStereo), ElementsAre(0u, 40000u));
}

}  // namespace
