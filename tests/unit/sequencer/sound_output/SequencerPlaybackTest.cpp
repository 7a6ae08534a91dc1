// The sequencer device playing through a sound server: a private PulseAudio null sink.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "SoundServer.h"
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
  // What has been heard: not what has been rendered into the server's buffer, far ahead of it.
  EXPECT_GT(Position(device), 0u);
  EXPECT_LE(Position(device), 350u);
  EXPECT_EQ(RunMessageLoop(2500ms), OneSuccess(device));
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

// Kalvio's stream as the server lists it.
std::string StreamDescription() {
  return alsa_test::Shell("pactl list sink-inputs | grep -E 'Corked|[0-9]Hz'");
}

TEST_F(SequencerPlayback, PausedOrEndedTheStreamIsCorkedAndPlayingItIsNot) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(2)));
  ASSERT_EQ(Play(device), mm::MMSYSERR_NOERROR);
  std::this_thread::sleep_for(200ms);
  EXPECT_NE(StreamDescription().find("Corked: no"), std::string::npos);
  ASSERT_EQ(Generic(device, mm::MCI_PAUSE), mm::MMSYSERR_NOERROR);
  std::this_thread::sleep_for(100ms);
  EXPECT_NE(StreamDescription().find("Corked: yes"), std::string::npos);
  ASSERT_EQ(Generic(device, mm::MCI_RESUME, 0), mm::MMSYSERR_NOERROR);
  RunMessageLoop(2500ms);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_STOP);
  EXPECT_NE(StreamDescription().find("Corked: yes"), std::string::npos);
}

TEST_F(SequencerPlayback, CloseDuringPlayPostsNothingLater) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(1)));
  ASSERT_EQ(Play(device), mm::MMSYSERR_NOERROR);
  std::this_thread::sleep_for(200ms);
  ASSERT_EQ(Generic(device, mm::MCI_CLOSE), mm::MMSYSERR_NOERROR);
  EXPECT_TRUE(RunMessageLoop(800ms).empty());
}

// The synthesiser renders at the sink's rate, so the server has nothing to resample.
class SequencerOnA48kHzSink : public sequencer_test::SequencerFixture {
 protected:
  SequencerOnA48kHzSink() : SequencerFixture(sequencer::AudioOutput::kDevice) {
    FModule = alsa_test::Shell("pactl load-module module-null-sink sink_name=sink48 rate=48000");
    alsa_test::Shell("pactl set-default-sink sink48");
  }
  ~SequencerOnA48kHzSink() override {
    alsa_test::Shell("pactl set-default-sink nullsink; pactl unload-module " + FModule);
  }

  std::string FModule;
};

TEST_F(SequencerOnA48kHzSink, GetsA48kHzStreamThatPlaysInTime) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(2)));
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Play(device, mm::MCI_WAIT), mm::MMSYSERR_NOERROR);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 950ms);
  EXPECT_EQ(Position(device), 1000u);
  EXPECT_NE(StreamDescription().find("48000Hz"), std::string::npos) << StreamDescription();
}

}  // namespace
