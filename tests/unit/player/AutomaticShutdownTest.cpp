#include "PlayerFixture.h"

namespace {

class ShutdownTest : public PlayerTest {
 protected:
  void CheckAutomaticShutdown(const std::u16string& answer) {
    Dialogs = std::make_unique<support::DialogResponder>(answer);
    Form->AutoDownCheckBox.DoUserClick(true);
  }
};

TEST_F(ShutdownTest, TurningItOnAsksAndYesTurnsOnTheFadeOutToo) {
  Create();
  CheckAutomaticShutdown(u"はい(&Y)");

  ASSERT_EQ(Dialogs->Boxes().size(), 1u);
  const auto& box = Dialogs->Boxes().front();
  EXPECT_EQ(box.Caption, u"警告");
  EXPECT_EQ(box.Text, u"本当に自動シャットダウン設定しますか？");
  EXPECT_EQ(box.Icon, toolkit::TMessageBoxIcon::Warning);
  EXPECT_EQ(box.Buttons, (std::vector<std::u16string>{u"はい(&Y)", u"いいえ(&N)"}));
  EXPECT_EQ(box.DefaultButton, u"はい(&Y)");
  EXPECT_TRUE(Form->AutoDownCheckBox.Checked());
  EXPECT_TRUE(Form->AutFaseOutCheckBox.Checked());

  // Turning it off asks nothing and leaves the fade-out on.
  Form->AutoDownCheckBox.DoUserClick(false);
  EXPECT_EQ(Dialogs->Boxes().size(), 1u);
  EXPECT_TRUE(Form->AutFaseOutCheckBox.Checked());
}

TEST_F(ShutdownTest, NoLeavesBothBoxesAsTheyWere) {
  Create();
  for (const bool fadeOut : {false, true}) {
    Form->AutFaseOutCheckBox.SetChecked(fadeOut);
    CheckAutomaticShutdown(u"いいえ(&N)");
    EXPECT_EQ(Dialogs->Boxes().size(), 1u);
    EXPECT_FALSE(Form->AutoDownCheckBox.Checked());
    EXPECT_EQ(Form->AutFaseOutCheckBox.Checked(), fadeOut);
  }
}

TEST_F(ShutdownTest, TheShutdownIsRequestedAtEachHandledNotificationAtZero) {
  WriteSettingsFile("[SaundSeting]\nMastarVolume=0\n");
  Create();
  CheckAutomaticShutdown(u"はい(&Y)");
  EXPECT_EQ(Shutdown.Requests, 0);

  Notify();
  EXPECT_EQ(Shutdown.Requests, 1);
  // Playback goes on, and the next notification asks again.
  EXPECT_EQ(Mci.LastOpenedPiece(), 2);
  Notify();
  EXPECT_EQ(Shutdown.Requests, 2);

  // Not on the notification that pausing raises.
  Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PLAY);
  Form->PauseBtn.DoClick();
  Notify(mm::MCI_NOTIFY_ABORTED);
  EXPECT_EQ(Shutdown.Requests, 2);
}

TEST_F(ShutdownTest, WithFadeOutTheShutdownComesWhenTheSliderReachesZero) {
  WriteSettingsFile("[SaundSeting]\nMastarVolume=2\n");
  Create();
  CheckAutomaticShutdown(u"はい(&Y)");

  Notify();
  EXPECT_EQ(Shutdown.Requests, 0);
  Notify();
  EXPECT_EQ(Form->TrackBarVolume.Position(), 0);
  EXPECT_EQ(Shutdown.Requests, 1);
}

TEST_F(ShutdownTest, WithoutAMasterVolumeTheShutdownComesAtTheNextNotification) {
  Mixer.SetDevices({});
  Create();
  CheckAutomaticShutdown(u"はい(&Y)");
  Notify();
  EXPECT_EQ(Shutdown.Requests, 1);
}

}  // namespace
