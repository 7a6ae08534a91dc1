#include "PlayerFixture.h"
#include "rtl/IntToStr.h"

namespace {

struct BindingCase {
  const char* stored;  // "MastarVolume" in the settings file, "" for none
  int position;        // the slider afterwards, which is also the master volume
  bool written;        // whether start-up wrote the master volume
};

// The master line starts at 30000 of 65535: 46 %.
TEST_F(PlayerTest, StartUpBindsTheSliderAndAppliesTheStoredVolume) {
  const BindingCase cases[] = {
      {"", 40, true}, {"46", 46, false}, {"150", 100, true}, {"-5", 0, true}};
  for (const auto& row : cases) {
    SCOPED_TRACE(row.stored);
    Mixer.SetValues(kMasterVolumeControl, {30000, 30000});
    WriteSettingsFile(std::string("[SaundSeting]\nMastarVolume=") + row.stored + "\n");
    Mixer.ClearCalls();
    Create();

    EXPECT_EQ(Form->TrackBarVolume.Position(), row.position);
    EXPECT_EQ(Form->Mixer.MasterVolume(), row.position);
    EXPECT_EQ(Form->Label3.Caption(), u"音量 (" + IntToStr(row.position) + u")");
    EXPECT_EQ(Mixer.CallsOf(MixerCall::SetControlDetails).empty(), !row.written);
    Destroy();
  }
}

TEST_F(PlayerTest, WithoutAMasterLineTheSliderStaysUnboundAndTheStoredVolumeIsKept) {
  Mixer.SetDevices({});
  WriteSettingsFile("[SaundSeting]\nMastarVolume=77\n");
  Create();
  EXPECT_EQ(Form->TrackBarVolume.Position(), 0);
  EXPECT_EQ(Form->Label3.Caption(), u"50");

  Destroy();
  EXPECT_NE(SettingsFileText().find("MastarVolume=77\n"), std::string::npos);
}

TEST_F(PlayerTest, MovingTheSliderSetsTheMasterVolume) {
  Create();
  Form->TrackBarVolume.DoUserMove(73);

  EXPECT_EQ(Form->Mixer.MasterVolume(), 73);
  EXPECT_EQ(Form->Label3.Caption(), u"音量 (73)");
  EXPECT_EQ(Form->MastarVolumeSeting, 73);
}

TEST_F(PlayerTest, AChangeOfTheMasterVolumeElsewhereMovesOnlyTheSlider) {
  Create();
  Mixer.ClearCalls();
  Mixer.ChangeFromOutside(kMasterVolumeControl, {45875, 45875});  // 70 %
  ProcessMessages();

  EXPECT_EQ(Form->TrackBarVolume.Position(), 70);
  EXPECT_EQ(Form->Label3.Caption(), u"音量 (40)");
  EXPECT_EQ(Form->MastarVolumeSeting, 40);
  EXPECT_TRUE(Mixer.CallsOf(MixerCall::SetControlDetails).empty());
  EXPECT_FALSE(Form->InProcessOfCallback);

  // The mute control is not the volume: the slider stays.
  Mixer.ChangeFromOutside(kMasterVolumeControl + 1, {1});
  Mixer.SetValues(kMasterVolumeControl, {0, 0});
  ProcessMessages();
  EXPECT_EQ(Form->TrackBarVolume.Position(), 70);
}

TEST_F(PlayerTest, AMixerErrorWhileSettingTheVolumeIsShownAndChangesNothingElse) {
  Create();
  Mixer.Fail(MixerCall::SetControlDetails, mm::MMSYSERR_ERROR);
  Form->TrackBarVolume.DoUserMove(73);

  EXPECT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(Form->Label3.Caption(), u"音量 (40)");
  EXPECT_EQ(Form->MastarVolumeSeting, 40);

  // The binding is not left half-way: once the mixer answers again the next move sets it.
  EXPECT_FALSE(Form->InProcessOfCallback);
  Mixer.ClearFailures();
  Form->TrackBarVolume.DoUserMove(74);
  EXPECT_EQ(Form->Label3.Caption(), u"音量 (74)");
  EXPECT_EQ(Form->MastarVolumeSeting, 74);
  EXPECT_EQ(BoxTexts().size(), 1u);
}

TEST_F(PlayerTest, FadeOutLowersTheVolumeByOneAtEachNotificationDownToZero) {
  WriteSettingsFile("[SaundSeting]\nMastarVolume=3\n");
  Create();
  Form->AutFaseOutCheckBox.DoUserClick(true);
  for (const int expected : {2, 1, 0, 0}) {
    Notify();
    EXPECT_EQ(Form->TrackBarVolume.Position(), expected);
    EXPECT_EQ(Form->Mixer.MasterVolume(), expected);
    EXPECT_EQ(Form->Label3.Caption(), u"音量 (" + IntToStr(expected) + u")");
  }
  // The notification that pausing raises is no step.
  Form->TrackBarVolume.DoUserMove(5);
  Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PLAY);
  Form->PauseBtn.DoClick();
  Notify(mm::MCI_NOTIFY_ABORTED);
  EXPECT_EQ(Form->TrackBarVolume.Position(), 5);

  // A faded volume is never stored: the file keeps the earlier one.
  Destroy();
  EXPECT_NE(SettingsFileText().find("MastarVolume=3\n"), std::string::npos);
}

}  // namespace
