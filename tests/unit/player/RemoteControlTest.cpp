#include "PlayerFixture.h"
#include "player/CatalogueTitles.h"
#include "player/RemoteControl.h"

namespace {

class RemoteControlTest : public PlayerTest {
 protected:
  void Attach() {
    Remote = std::make_unique<RemoteControl>(*Form);
    Remote->SetOnChange([this] { ++Changes; });
  }
  void TearDown() override { Remote.reset(); }

  std::unique_ptr<RemoteControl> Remote;
  int Changes = 0;
};

TEST_F(RemoteControlTest, NextAndPreviousPlayTheNeighboursAsTheButtonsDo) {
  Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_LENGTH, 95000);
  Create();
  Attach();
  EXPECT_EQ(Remote->State().piece, 1);
  EXPECT_EQ(Remote->State().lengthMs, 95000);

  Remote->Next();
  EXPECT_EQ(DisabledControls(),
            (std::vector<std::string>{"BackSkip", "PauseBtn", "NextBtn", "MusicTrackBar"}));
  EXPECT_FALSE(Remote->State().canNext);
  EXPECT_EQ(Remote->State().piece, 1) << "the pending command's pre-adjusted number is not shown";
  Notify();
  EXPECT_EQ(Mci.LastOpenedPiece(), 2);
  EXPECT_EQ(Form->ListBox.ItemIndex(), 1);
  EXPECT_EQ(Remote->State().piece, 2);
  EXPECT_EQ(Remote->State().title, CatalogueTitles()[1]);
  EXPECT_TRUE(Remote->State().canNext);

  Remote->Previous();
  Notify();
  EXPECT_EQ(Mci.LastOpenedPiece(), 1);
  EXPECT_EQ(Remote->State().piece, 1);
  EXPECT_TRUE(DisabledControls().empty());
}

TEST_F(RemoteControlTest, WhilePausedOnlyWhatThePauseButtonDoesHappens) {
  Create();
  Attach();
  Remote->Play();  // already playing: nothing to do
  EXPECT_FALSE(Form->PauseStat);

  Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PLAY);
  Remote->Pause();
  ASSERT_TRUE(Form->PauseStat);
  EXPECT_EQ(Mci.CountOf(mm::MCI_PAUSE), 1u);
  Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PAUSE);
  EXPECT_TRUE(Remote->State().paused);
  EXPECT_FALSE(Remote->State().canNext);
  EXPECT_FALSE(Remote->State().canPrevious);
  EXPECT_TRUE(Remote->State().canPlayPause);

  const std::size_t seeks = Mci.CountOf(mm::MCI_SEEK);
  const std::size_t pauses = Mci.CountOf(mm::MCI_PAUSE);
  Remote->Next();
  Remote->Previous();
  Remote->Pause();
  ProcessMessages();
  EXPECT_EQ(Mci.CountOf(mm::MCI_SEEK), seeks);
  EXPECT_EQ(Mci.CountOf(mm::MCI_PAUSE), pauses);
  EXPECT_EQ(Form->SaundIndex, 1);
  EXPECT_TRUE(Form->PauseStat);

  Remote->Play();
  EXPECT_FALSE(Form->PauseStat);
  EXPECT_EQ(Mci.CountOf(mm::MCI_RESUME), 1u);
  EXPECT_TRUE(Remote->State().canNext);
}

TEST_F(RemoteControlTest, RepeatAndVolumeGoThroughTheirControls) {
  Create();
  Attach();
  Remote->SetRepeat(true);
  EXPECT_TRUE(Form->RePeatChek.Checked());
  Remote->Next();
  Notify();
  EXPECT_EQ(Mci.LastOpenedPiece(), 1) << "repeat plays the piece again";

  const struct {
    double volume;
    int position;
  } volumes[] = {{0.3, 30}, {0.004, 0}, {1.7, 100}, {-1.0, 0}};
  for (const auto& row : volumes) {
    SCOPED_TRACE(row.volume);
    Remote->SetVolume(0.5);
    Remote->SetVolume(row.volume);
    EXPECT_EQ(Form->TrackBarVolume.Position(), row.position);
    EXPECT_EQ(Form->Mixer.MasterVolume(), row.position);
    EXPECT_EQ(Form->MastarVolumeSeting, row.position);
  }
}

TEST_F(RemoteControlTest, ChangesAreReportedOncePerChangeFromAnywhere) {
  Create();
  Attach();
  const struct {
    const char* what;
    std::function<void()> act;
    int reports;
  } steps[] = {
      {"piece ends", [this] { Notify(); }, 1},
      {"pause click", [this] { Form->PauseBtn.DoClick(); }, 1},
      {"pause settles", [this] { Notify(); }, 0},
      {"resume", [this] { Remote->PlayPause(); }, 1},
      {"mixer volume",
       [this] {
         Mixer.ChangeFromOutside(kMasterVolumeControl, {45875, 45875});
         ProcessMessages();
       },
       1},
      {"same volume again",
       [this] {
         Mixer.ChangeFromOutside(kMasterVolumeControl, {45875, 45875});
         ProcessMessages();
       },
       0},
      {"repeat box from code", [this] { Form->RePeatChek.SetChecked(true); }, 1},
      {"next click", [this] { Form->NextBtn.DoClick(); }, 1},
      {"its notification", [this] { Notify(); }, 1},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    Changes = 0;
    step.act();
    EXPECT_EQ(Changes, step.reports);
  }
}

TEST_F(RemoteControlTest, ADeviceThatCannotOpenShowsNothingPlayable) {
  Mci.SetResult(mm::MCI_OPEN, mm::MCIERR_DEVICE_OPEN);
  Create();
  Attach();
  EXPECT_FALSE(Remote->State().playable);
  EXPECT_FALSE(Remote->State().canNext);
  EXPECT_FALSE(Remote->State().canPlayPause);
  EXPECT_EQ(Remote->State().lengthMs, 0);
  EXPECT_EQ(Remote->PositionMs(), 0);
}

TEST_F(RemoteControlTest, TheWindowGoesOnAfterTheRemoteIsGone) {
  Create();
  Attach();
  Remote.reset();
  Form->NextBtn.DoClick();
  Notify();
  EXPECT_EQ(Mci.LastOpenedPiece(), 2);
  EXPECT_EQ(Changes, 0);
}

}  // namespace
