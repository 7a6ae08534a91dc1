// The mixer component on the ALSA backend against a real PulseAudio server: what the player's
// volume slider relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "SoundServer.h"
#include "mixer/EMixerError.h"
#include "mixer/Mixers.h"

namespace {

using namespace std::chrono_literals;
using alsa_test::PrivateSoundServer;
using alsa_test::PumpMessagesUntil;
using alsa_test::Shell;
using alsa_test::SinkMuted;
using alsa_test::SinkPercents;

struct ControlChange {
  TMixerItem* item;
  TMixerCtrl* ctrl;
};

// A scanned mixer that records its change events.
class ScannedMixer {
 public:
  ScannedMixer() {
    mixer.SetOnControlChange([this](TMixer*, TMixerDev*, TMixerItem* item, TMixerCtrl* ctrl) {
      changes.push_back({item, ctrl});
    });
    mixer.SetOnLineChange(
        [this](TMixer*, TMixerDev*, TMixerItem* item) { lineChanges.push_back(item); });
    mixer.Scan();
  }

  bool WaitForMasterLineChange(std::chrono::milliseconds timeout) {
    return PumpMessagesUntil(
        [this] {
          return std::find(lineChanges.begin(), lineChanges.end(), mixer.Master()) !=
                 lineChanges.end();
        },
        timeout);
  }

  bool WaitForVolumeChange(std::chrono::milliseconds timeout) {
    return PumpMessagesUntil(
        [this] {
          for (const auto& change : changes) {
            if (mixer.Master() != nullptr && change.item == mixer.Master() &&
                change.ctrl == mixer.Master()->VolumeCtrl()) {
              return true;
            }
          }
          return false;
        },
        timeout);
  }

  TMixer mixer;
  std::vector<ControlChange> changes;
  std::vector<TMixerItem*> lineChanges;
};

class MixerOnAlsa : public ::testing::Test {
 protected:
  void SetUp() override {
    Shell("pactl set-sink-volume @DEFAULT_SINK@ 100% && pactl set-sink-mute @DEFAULT_SINK@ 0");
  }
};

TEST_F(MixerOnAlsa, TheScanFindsTheServerWhoseMasterIsTheSpeakersLineWithVolumeAndMute) {
  ScannedMixer scanned;
  TMixer& mixer = scanned.mixer;
  ASSERT_GE(mixer.Count(), 1);  // the server first, then any sound card
  if (!std::filesystem::exists("/dev/snd")) {
    EXPECT_EQ(mixer.Count(), 1);
  }
  EXPECT_EQ(mixer.PrimaryDevice()->Name(), u"PulseAudio");
  TMixerItem* master = mixer.Master();
  ASSERT_NE(master, nullptr);
  EXPECT_EQ(master->LineType(), dtSpeakers);
  EXPECT_EQ(master->Name(), u"Master");
  EXPECT_EQ(master->Channel(), 2);
  EXPECT_TRUE(master->VolumeExists());
  EXPECT_TRUE(master->MuteExists());
  EXPECT_EQ(mixer.MasterVolume(), 100);
}

TEST_F(MixerOnAlsa, MasterVolumeAndMuteAreTheSinksVolumeAndMute) {
  ScannedMixer scanned;
  TMixer& mixer = scanned.mixer;
  mixer.SetMasterVolume(73);
  EXPECT_EQ(SinkPercents(), (std::vector<int>{73, 73}));
  EXPECT_EQ(mixer.MasterVolume(), 73);

  mixer.SetMasterMute(true);
  EXPECT_TRUE(SinkMuted());
  EXPECT_TRUE(mixer.MasterMute());
  mixer.SetMasterMute(false);
  EXPECT_FALSE(SinkMuted());
  EXPECT_FALSE(mixer.MasterMute());
}

TEST_F(MixerOnAlsa, TheDesktopsVolumeChangeRaisesOnControlChangeForTheMasterVolume) {
  ScannedMixer scanned;
  Shell("pactl set-sink-volume @DEFAULT_SINK@ 30%");
  EXPECT_TRUE(scanned.WaitForVolumeChange(200ms));
  EXPECT_EQ(scanned.mixer.MasterVolume(), 30);
}

TEST_F(MixerOnAlsa, EveryPercentReadsBackExactlyThroughTheServer) {
  ScannedMixer scanned;
  TMixer& mixer = scanned.mixer;
  for (int percent = 0; percent <= 100; ++percent) {
    mixer.SetMasterVolume(percent);
    EXPECT_EQ(mixer.MasterVolume(), percent);
    EXPECT_EQ(SinkPercents(), (std::vector<int>{percent, percent}));
  }
}

TEST(MixerOnAlsaServerLife, AStoppedServerRaisesErrorsAndItsReturnMovesTheMasterVolumeAgain) {
  if (std::filesystem::exists("/dev/snd")) {
    GTEST_SKIP() << "this machine's sound cards are devices without a server";
  }
  PrivateSoundServer server;
  {
    ScannedMixer scanned;  // no server yet
    EXPECT_EQ(scanned.mixer.Count(), 0);
    EXPECT_EQ(scanned.mixer.MasterVolume(), -1);
  }
  server.Start();
  ScannedMixer scanned;
  TMixer& mixer = scanned.mixer;
  ASSERT_EQ(mixer.Count(), 1);
  mixer.SetMasterVolume(40);

  server.Stop();
  ASSERT_TRUE(scanned.WaitForMasterLineChange(1s));
  try {
    mixer.MasterVolume();
    ADD_FAILURE() << "reading a stopped server's volume succeeded";
  } catch (const EMixerError& error) {
    EXPECT_EQ(error.ErrorCode(), mm::MMSYSERR_NODRIVER);
    EXPECT_EQ(error.Message(), u"デバイスドライバがありません(Master Volume)");
  }
  EXPECT_THROW(mixer.SetMasterVolume(50), EMixerError);

  scanned.changes.clear();
  scanned.lineChanges.clear();
  server.Start();  // a new server stands at 100 %
  EXPECT_TRUE(scanned.WaitForMasterLineChange(3s));
  EXPECT_TRUE(scanned.WaitForVolumeChange(200ms));
  EXPECT_EQ(mixer.MasterVolume(), 100);
  mixer.SetMasterVolume(60);
  EXPECT_EQ(SinkPercents(), (std::vector<int>{60, 60}));
}

}  // namespace
