// The sequencer device when the sound server goes away between the open and the first play, and
// comes back. The test runs a server of its own.

#include <gtest/gtest.h>

#include "SoundServer.h"
#include "sequencer/SequencerFixture.h"

namespace {

using sequencer_test::Melody;
using sequencer_test::Notification;

class SequencerServerLife : public sequencer_test::SequencerFixture {
 protected:
  SequencerServerLife() : SequencerFixture(sequencer::AudioOutput::kDevice) {}

  alsa_test::PrivateSoundServer FServer;
};

TEST_F(SequencerServerLife, APlayWithoutServerFailsClearlyAndOneAfterItsReturnPlays) {
  FServer.Start();
  const auto device = OpenOrFail(Write("piece.mid", Melody(1)));
  FServer.Stop();
  EXPECT_EQ(Play(device, mm::MCI_NOTIFY), mm::MCIERR_HARDWARE);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_STOP);
  EXPECT_EQ(Position(device), 0u);

  FServer.Start();
  ASSERT_EQ(Play(device, mm::MCI_WAIT | mm::MCI_NOTIFY), mm::MMSYSERR_NOERROR);
  EXPECT_EQ(Position(device), 500u);
  // Only the play that ran notifies.
  EXPECT_EQ(
      TakeNotifications(),
      (std::vector<Notification>{{mm::MCI_NOTIFY_SUCCESSFUL, static_cast<mm::LPARAM>(device)}}));
}

}  // namespace
