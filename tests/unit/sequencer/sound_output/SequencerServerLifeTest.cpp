// The sequencer device while the sound server goes away and comes back, or refuses its stream:
// the piece stands still at what was heard and plays on once the server takes the stream again.
// The test runs a server of its own.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "SoundServer.h"
#include "sequencer/SequencerFixture.h"

namespace {

using namespace std::chrono_literals;
using sequencer_test::Melody;
using sequencer_test::Notification;

class SequencerServerLife : public sequencer_test::SequencerFixture {
 protected:
  SequencerServerLife() : SequencerFixture(sequencer::AudioOutput::kDevice) {}

  std::vector<Notification> OneSuccess(mm::MCIDEVICEID device) const {
    return {{mm::MCI_NOTIFY_SUCCESSFUL, static_cast<mm::LPARAM>(device)}};
  }

  // Delivers notifications until one arrives or the timeout passes.
  std::vector<Notification> AwaitNotification(std::chrono::milliseconds timeout) {
    std::vector<Notification> received;
    alsa_test::PumpMessagesUntil(
        [&] {
          const auto taken = TakeNotifications();
          received.insert(received.end(), taken.begin(), taken.end());
          return !received.empty();
        },
        timeout);
    return received;
  }

  // Waits until the position moves on from `from`; false when it stays.
  bool PositionMovesOn(mm::MCIDEVICEID device, mm::DWORD from, std::chrono::milliseconds within) {
    const auto end = std::chrono::steady_clock::now() + within;
    while (std::chrono::steady_clock::now() < end) {
      if (Position(device) > from + 50) {
        return true;
      }
      std::this_thread::sleep_for(20ms);
    }
    return false;
  }

  alsa_test::PrivateSoundServer FServer;
};

TEST_F(SequencerServerLife, APieceStandsStillWhileTheServerIsGoneAndPlaysOnWhenItReturns) {
  FServer.Start();
  const auto device = OpenOrFail(Write("piece.mid", Melody(6)));  // 3 s
  ASSERT_EQ(Play(device, mm::MCI_NOTIFY), mm::MMSYSERR_NOERROR);
  ASSERT_TRUE(PositionMovesOn(device, 500, 3s));

  FServer.Stop();
  std::this_thread::sleep_for(200ms);
  const auto heard = Position(device);
  EXPECT_LT(heard, 2000u);
  std::this_thread::sleep_for(3s);
  EXPECT_EQ(Position(device), heard);  // nothing heard, nothing played
  EXPECT_EQ(Mode(device), mm::MCI_MODE_PLAY);
  EXPECT_TRUE(TakeNotifications().empty());

  FServer.Start();
  EXPECT_TRUE(PositionMovesOn(device, heard, 2s));
  EXPECT_EQ(AwaitNotification(5s), OneSuccess(device));
  EXPECT_EQ(Position(device), 3000u);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_STOP);
}

TEST_F(SequencerServerLife, APlayGivenWhileTheServerIsGoneIsHeardOnceItReturns) {
  FServer.Start();
  const auto first = OpenOrFail(Write("first.mid", Melody(8)));
  ASSERT_EQ(Play(first, mm::MCI_NOTIFY), mm::MMSYSERR_NOERROR);
  ASSERT_TRUE(PositionMovesOn(first, 200, 3s));
  FServer.Stop();

  // The next piece, as the player's Next does it.
  ASSERT_EQ(Generic(first, mm::MCI_CLOSE), mm::MMSYSERR_NOERROR);
  TakeNotifications();
  const auto next = OpenOrFail(Write("next.mid", Melody(2)));
  ASSERT_EQ(Play(next, mm::MCI_NOTIFY), mm::MMSYSERR_NOERROR);
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(Position(next), 0u);

  FServer.Start();
  EXPECT_TRUE(PositionMovesOn(next, 0, 2s));
  EXPECT_EQ(AwaitNotification(4s), OneSuccess(next));
}

TEST_F(SequencerServerLife, APieceStandsStillWhileTheServerRefusesItsStreamAndPlaysOnAfter) {
  FServer.Start();
  const auto device = OpenOrFail(Write("piece.mid", Melody(6)));  // 3 s
  ASSERT_EQ(Play(device, mm::MCI_NOTIFY), mm::MMSYSERR_NOERROR);
  ASSERT_TRUE(PositionMovesOn(device, 500, 3s));

  // Without a sink the server ends the stream and refuses every new one.
  alsa_test::Shell("pactl unload-module module-always-sink; pactl unload-module module-null-sink");
  std::this_thread::sleep_for(300ms);
  const auto heard = Position(device);
  EXPECT_LT(heard, 2000u);
  std::this_thread::sleep_for(1500ms);  // three refused attempts
  EXPECT_EQ(Position(device), heard);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_PLAY);
  EXPECT_TRUE(TakeNotifications().empty());

  alsa_test::Shell("pactl load-module module-null-sink sink_name=nullsink rate=44100");
  EXPECT_TRUE(PositionMovesOn(device, heard, 2s));
  EXPECT_EQ(AwaitNotification(5s), OneSuccess(device));
  EXPECT_EQ(Position(device), 3000u);
}

TEST_F(SequencerServerLife, WithoutAServerAtTheOpenThePieceStartsWhenOneComes) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(2)));
  ASSERT_EQ(Play(device, mm::MCI_NOTIFY), mm::MMSYSERR_NOERROR);
  std::this_thread::sleep_for(1500ms);
  EXPECT_EQ(Position(device), 0u);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_PLAY);

  FServer.Start();
  EXPECT_TRUE(PositionMovesOn(device, 0, 2s));
  EXPECT_EQ(AwaitNotification(4s), OneSuccess(device));
  EXPECT_EQ(Position(device), 1000u);
}

}  // namespace
