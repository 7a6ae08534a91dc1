// No sound server and no sound card: the device opens and waits for a server; nothing is heard,
// so the piece does not move on and no end is reported.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "sequencer/SequencerFixture.h"

namespace {

using namespace std::chrono_literals;

class SequencerWithoutSound : public sequencer_test::SequencerFixture {
 protected:
  SequencerWithoutSound() : SequencerFixture(sequencer::AudioOutput::kDevice) {}
};

TEST_F(SequencerWithoutSound, APlayWaitsAtTheStartAndPostsNothing) {
  FApi.PrepareSynthesizer();
  const auto device = OpenOrFail(Write("piece.mid", sequencer_test::Melody(1)));
  ASSERT_EQ(Play(device, mm::MCI_NOTIFY), mm::MMSYSERR_NOERROR);
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(Position(device), 0u);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_PLAY);
  EXPECT_TRUE(TakeNotifications().empty());
  ASSERT_EQ(Generic(device, mm::MCI_PAUSE), mm::MMSYSERR_NOERROR);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_PAUSE);
}

}  // namespace
