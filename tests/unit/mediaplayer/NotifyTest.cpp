#include <gtest/gtest.h>

#include <ostream>

#include <vector>

#include "MciCalls.h"
#include "MediaPlayerFixture.h"
#include "toolkit/PostedMessages.h"

namespace {

// Counts OnNotify and remembers the NotifyValue each one saw.
class NotifyTest : public MediaPlayerTest {
 protected:
  NotifyTest() {
    player.SetOnNotify([this](TMediaPlayer& sender) {
      EXPECT_EQ(&sender, &player);
      seen.push_back(sender.NotifyValue());
    });
  }

  std::vector<TMPNotifyValues> seen;
};

struct NotifyCase {
  mm::WPARAM code;
  TMPNotifyValues value;
};

void PrintTo(const NotifyCase& notify, std::ostream* out) {
  *out << "Code" << notify.code;
}

class NotificationCode : public NotifyTest, public ::testing::WithParamInterface<NotifyCase> {};

// Every code raises OnNotify once; an unknown code keeps the previous outcome.
TEST_P(NotificationCode, RaisesOnNotifyOnceAndSendsNothing) {
  OpenPlayersFile();
  player.Play();
  ASSERT_TRUE(api.PostNotification(mm::MCI_NOTIFY_FAILURE));
  toolkit::ProcessPostedMessages();
  api.ClearCalls();

  ASSERT_TRUE(api.PostNotification(GetParam().code));
  toolkit::ProcessPostedMessages();

  EXPECT_EQ(seen, (std::vector<TMPNotifyValues>{nvFailure, GetParam().value}));
  EXPECT_EQ(player.NotifyValue(), GetParam().value);
  EXPECT_TRUE(api.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(MediaPlayerTest, NotificationCode,
                         ::testing::Values(NotifyCase{1, nvSuccessful}, NotifyCase{2, nvSuperseded},
                                           NotifyCase{4, nvAborted}, NotifyCase{8, nvFailure},
                                           NotifyCase{99, nvFailure}));

TEST_F(NotifyTest, ANotificationForAClosedDeviceStillRaisesOnNotify) {
  OpenPlayersFile();
  player.Play();
  player.Close();

  ASSERT_TRUE(api.PostNotification(mm::MCI_NOTIFY_ABORTED, kDevice));
  toolkit::ProcessPostedMessages();

  EXPECT_EQ(seen, (std::vector<TMPNotifyValues>{nvAborted}));
}

// The player's cycle: the notification of one piece closes it and starts the next, whose own
// notification then arrives; commands never deliver notifications themselves.
TEST_F(NotifyTest, AHandlerCanCloseOpenAndPlayTheNextPiece) {
  int pieces = 1;
  player.SetOnNotify([this, &pieces](TMediaPlayer& sender) {
    seen.push_back(sender.NotifyValue());
    if (pieces < 3) {
      sender.Close();
      sender.Open();
      sender.Play();
      EXPECT_EQ(seen.size(), static_cast<std::size_t>(pieces));
      ++pieces;
    }
  });
  OpenPlayersFile();
  player.Play();
  player.Next();

  ASSERT_TRUE(api.PostNotification(mm::MCI_NOTIFY_ABORTED));
  toolkit::ProcessPostedMessages();
  ASSERT_TRUE(api.PostNotification(mm::MCI_NOTIFY_SUCCESSFUL));
  toolkit::ProcessPostedMessages();

  EXPECT_EQ(seen, (std::vector<TMPNotifyValues>{nvAborted, nvSuccessful}));
  EXPECT_EQ(player.DeviceID(), 3);
  EXPECT_EQ(api.Calls().back(), calls::Play(3, Window()));
}

TEST_F(NotifyTest, AHandlerMayReplaceItself) {
  int replacementCalls = 0;
  player.SetOnNotify([this, &replacementCalls](TMediaPlayer& sender) {
    sender.SetOnNotify([&replacementCalls](TMediaPlayer&) { ++replacementCalls; });
    seen.push_back(sender.NotifyValue());
  });
  OpenPlayersFile();
  player.Play();

  ASSERT_TRUE(api.PostNotification(mm::MCI_NOTIFY_SUCCESSFUL));
  ASSERT_TRUE(api.PostNotification(mm::MCI_NOTIFY_SUCCESSFUL));
  toolkit::ProcessPostedMessages();

  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(replacementCalls, 1);
}

TEST_F(NotifyTest, AutoEnableAsksForTheModeAtEveryNotification) {
  player.SetAutoEnable(true);
  OpenPlayersFile();
  player.Play();
  api.ClearCalls();
  api.SetResult(mm::MCI_STATUS, mm::MCIERR_HARDWARE);

  ASSERT_TRUE(api.PostNotification(mm::MCI_NOTIFY_SUCCESSFUL));
  toolkit::ProcessPostedMessages();

  EXPECT_EQ(api.Calls(), (std::vector<MciCall>{calls::Status(kDevice, mm::MCI_STATUS_MODE)}));
  EXPECT_EQ(player.Error(), mm::MCIERR_HARDWARE);
  EXPECT_EQ(seen.size(), 1u);
}

TEST_F(NotifyTest, OtherMessagesToTheWindowAreIgnored) {
  ASSERT_TRUE(toolkit::postMessage(Window(), mm::MM_MCINOTIFY + 1, 1, 1));
  toolkit::ProcessPostedMessages();
  EXPECT_TRUE(seen.empty());
}

}  // namespace
