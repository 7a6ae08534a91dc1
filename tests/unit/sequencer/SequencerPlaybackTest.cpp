// The sequencer device playing through a sound server: a private PulseAudio null sink.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "sequencer/SequencerFixture.h"

namespace {

using namespace std::chrono_literals;
using sequencer_test::Melody;
using sequencer_test::Notification;

std::vector<Notification> OneSuccess(mm::MCIDEVICEID device) {
  return {{mm::MCI_NOTIFY_SUCCESSFUL, static_cast<mm::LPARAM>(device)}};
}

class SequencerPlayback : public sequencer_test::SequencerFixture {
 protected:
  SequencerPlayback() : SequencerFixture(sequencer::AudioOutput::kDevice) {}

  // The synthesiser is prepared in the background, as the program does at start-up.
  // A fresh stream on an idle null sink starts up to 2 s late (the sink sleeps for its longest
  // latency); the synthesiser's stream then keeps running, so one waiting play warms it up.
  void SetUp() override {
    FApi.PrepareSynthesizer();
    ASSERT_EQ(FApi.SynthesizerInUse(), nullptr);  // until an open takes it over
    midi_test::TrackBuilder blip;
    blip.NoteOn(0, 0, 60, 1).End(10);
    const auto device = OpenOrFail(Write("blip.mid", midi_test::MidiFile(0, 480, {blip})));
    ASSERT_EQ(Play(device, mm::MCI_WAIT), mm::MMSYSERR_NOERROR);
    ASSERT_EQ(Generic(device, mm::MCI_CLOSE), mm::MMSYSERR_NOERROR);
  }

  // Delivers notifications as a message loop would, for `time`.
  std::vector<Notification> RunMessageLoop(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    std::vector<Notification> received;
    while (std::chrono::steady_clock::now() < end) {
      toolkit::WaitForPostedMessage(10ms);
      const auto taken = TakeNotifications();
      received.insert(received.end(), taken.begin(), taken.end());
    }
    return received;
  }
};

TEST_F(SequencerPlayback, AWaitingPlayReturnsWhenThePieceHasPlayed) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(1)));
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Play(device, mm::MCI_WAIT | mm::MCI_NOTIFY), mm::MMSYSERR_NOERROR);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 450ms);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_STOP);
  EXPECT_EQ(Position(device), 500u);
  EXPECT_EQ(TakeNotifications(), OneSuccess(device));
}

TEST_F(SequencerPlayback, ANotifyingPlayNotifiesTheMessageLoopOnceAtTheEnd) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(2)));
  ASSERT_EQ(Play(device), mm::MMSYSERR_NOERROR);
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_PLAY);
  EXPECT_GT(Position(device), 100u);
  EXPECT_EQ(RunMessageLoop(1500ms), OneSuccess(device));
  EXPECT_EQ(Mode(device), mm::MCI_MODE_STOP);
}

TEST_F(SequencerPlayback, PauseHoldsThePositionWhileTimePasses) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(4)));
  ASSERT_EQ(Play(device, 0), mm::MMSYSERR_NOERROR);
  std::this_thread::sleep_for(300ms);
  ASSERT_EQ(Generic(device, mm::MCI_PAUSE), mm::MMSYSERR_NOERROR);
  const auto paused = Position(device);
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(Position(device), paused);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_PAUSE);
  ASSERT_EQ(Generic(device, mm::MCI_RESUME, 0), mm::MMSYSERR_NOERROR);
  std::this_thread::sleep_for(300ms);
  EXPECT_GT(Position(device), paused + 100);
}

TEST_F(SequencerPlayback, CloseDuringPlayPostsNothingLater) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(1)));
  ASSERT_EQ(Play(device), mm::MMSYSERR_NOERROR);
  std::this_thread::sleep_for(200ms);
  ASSERT_EQ(Generic(device, mm::MCI_CLOSE), mm::MMSYSERR_NOERROR);
  EXPECT_TRUE(RunMessageLoop(800ms).empty());
}

}  // namespace
