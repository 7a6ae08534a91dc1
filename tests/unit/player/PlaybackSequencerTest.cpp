#include <algorithm>
#include <filesystem>
#include <fstream>

#include "PlayerFixture.h"
#include "rtl/TextConversion.h"
#include "toolkit/MessageWindow.h"
#include "toolkit/PostedMessages.h"

namespace {

namespace fs = std::filesystem;

std::u16string TrackLabel(int piece) {
  return Utf8ToUtf16(std::to_string(piece) + " トラック");
}

TEST_F(PlayerTest, StartUpPlaysTheStoredPieceAndShowsIt) {
  WriteSettingsFile("[SaundSeting]\nSaundIndex=37\n");
  Create();

  EXPECT_EQ(Mci.OpenedPieces(), std::vector<int>{37});
  ASSERT_EQ(Mci.Calls().back().command, mm::MCI_PLAY);
  EXPECT_NE(Mci.Calls().back().flags & mm::MCI_NOTIFY, 0u);
  EXPECT_EQ(Form->Caption(), u"Kalvio");
  EXPECT_EQ(Form->MusicTrackBar.Position(), 37);
  EXPECT_EQ(Form->Label4.Caption(), u"37 トラック");
  EXPECT_EQ(Form->ListBox.ItemIndex(), 36);
  EXPECT_EQ(Form->ListBox.Items().at(36), u"ジングルベル");
  EXPECT_FALSE(Form->PauseStat);
  EXPECT_EQ(Resources.Names.back(), u"Pause");
  EXPECT_TRUE(DisabledControls().empty());
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(PlayerTest, EachPieceThatEndsIsFollowedByTheNextOrWithRepeatByItselfAgain) {
  Create();
  for (const bool repeat : {false, true}) {
    Form->RePeatChek.SetChecked(repeat);
    for (int k = 1; k <= 120; ++k) {
      SCOPED_TRACE("repeat " + std::to_string(repeat) + ", piece " + std::to_string(k));
      Form->SaundIndex = k;
      const std::size_t calls = Mci.Calls().size();
      Notify();

      const int expected = repeat ? k : k % 120 + 1;
      ASSERT_EQ(Mci.LastOpenedPiece(), expected);
      EXPECT_EQ(Mci.Calls().at(calls).command, mm::MCI_CLOSE);
      EXPECT_EQ(Mci.Calls().back().command, mm::MCI_PLAY);
      EXPECT_EQ(Form->SaundIndex, expected);
      EXPECT_EQ(Form->MusicTrackBar.Position(), expected);
      EXPECT_EQ(Form->Label4.Caption(), TrackLabel(expected));
      EXPECT_EQ(Form->ListBox.ItemIndex(), expected - 1);
      // No command yet: the focus goes to BackSkip.
      EXPECT_EQ(FocusedControl(), "BackSkip");
    }
  }
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(PlayerTest, ANumberOutsideTheCatalogueAtANotificationPlaysPieceOne) {
  Create();
  for (const int index : {0, 120, 121, 500}) {
    SCOPED_TRACE(index);
    Form->SaundIndex = index;
    Notify();
    EXPECT_EQ(Mci.LastOpenedPiece(), 1);
  }
  EXPECT_TRUE(BoxTexts().empty());
}

// A stored number outside 1..120 used to leave the player silent behind an error box, and was
// saved again at every exit.
TEST_F(PlayerTest, AStoredNumberOutsideTheCatalogueStartsPieceOneWithoutAnError) {
  for (const char* stored : {"0", "121", "-3", "2147483647"}) {
    SCOPED_TRACE(stored);
    WriteSettingsFile(std::string("[SaundSeting]\nSaundIndex=") + stored + "\n");
    Create();
    EXPECT_EQ(Mci.LastOpenedPiece(), 1);
    EXPECT_EQ(Form->Label4.Caption(), u"1 トラック");
    EXPECT_EQ(Resources.Names.back(), u"Pause");
    Destroy();
    EXPECT_NE(SettingsFileText().find("SaundIndex=1\n"), std::string::npos);
  }
  EXPECT_TRUE(BoxTexts().empty());
}

// SaundIndex holds a pending command's pre-adjusted number (0 for the first row); the piece
// stored is the one that plays.
TEST_F(PlayerTest, ExitingWhileACommandIsPendingStoresThePieceThatPlays) {
  WriteSettingsFile("[SaundSeting]\nSaundIndex=37\n");
  Create();
  Form->ListBox.SetItemIndex(0);
  Form->ListBox.DoKeyUp(0x0D, 0);
  ASSERT_EQ(Form->SaundIndex, 0);
  Destroy();
  EXPECT_NE(SettingsFileText().find("SaundIndex=37\n"), std::string::npos);

  Create();
  EXPECT_EQ(Mci.LastOpenedPiece(), 37);
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(PlayerTest, AMissingPieceAtANotificationIsReportedAndLeavesThePlayerSilent) {
  Create();
  Form->ListBox.SetItemIndex(-1);  // no row selected: the command stores -1
  Form->ListBox.DoKeyUp(0x0D, 0);
  Notify(mm::MCI_NOTIFY_ABORTED);

  EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{u"RS_0 リソースが見つかりません."});
  EXPECT_EQ(Mci.Calls().back().command, mm::MCI_CLOSE);
  EXPECT_EQ(Mci.OpenedPieces(), std::vector<int>{1});
  // The re-enabling steps did not run.
  EXPECT_EQ(DisabledControls(),
            (std::vector<std::string>{"BackSkip", "NextBtn", "ListBox", "MusicTrackBar"}));

  Form->PauseBtn.DoClick();
  EXPECT_EQ(BoxTexts().back(), u"MCI デバイスがありません.");
  EXPECT_EQ(Mci.OpenedPieces(), std::vector<int>{1});
}

TEST_F(PlayerTest, ALinkPlantedAsTheTemporaryFileIsNotFollowedAndTheErrorIsShown) {
  const fs::path victim = Temp / "victim.txt";
  std::ofstream(victim) << "keep me";
  fs::create_directories(TemporaryFolder());
  std::error_code refused;
  fs::create_symlink(victim, TemporaryFile(), refused);
  if (refused) {  // Windows grants symbolic links to administrators only
    GTEST_SKIP() << "no symbolic link: " << refused.message();
  }

  Create();

  ASSERT_EQ(BoxTexts().size(), 1u);
  const std::u16string prefix =
      u"ファイル \"" + TempFolder::Text(TemporaryFile()) + u"\" を作成できません。";
  EXPECT_EQ(BoxTexts().front().substr(0, prefix.size()), prefix);
  std::ifstream kept(victim);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep me");
  // The rest of the start-up was skipped: nothing plays, the window is there.
  EXPECT_TRUE(Mci.OpenedPieces().empty());
  EXPECT_EQ(std::ranges::count(Resources.Names, u"Pause"), 0);
  EXPECT_EQ(Form->Caption(), u"Kalvio");
}

TEST_F(PlayerTest, AFailedOpenAtStartUpIsSilentAndLaterCommandsReportTheMissingDevice) {
  Mci.QueueResult(mm::MCI_OPEN, mm::MCIERR_DEVICE_OPEN);
  Create();

  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_EQ(Mci.CountOf(mm::MCI_PLAY), 0u);
  EXPECT_EQ(Form->Label4.Caption(), u"1");  // the layout's text
  EXPECT_EQ(Resources.Names.back(), u"Pause");

  Form->NextBtn.DoClick();
  EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{u"MCI デバイスがありません."});
  // The steps after Next did not run.
  EXPECT_TRUE(DisabledControls().empty());
  EXPECT_EQ(Form->ForcasIndex, 0);
}

TEST_F(PlayerTest, AFailedOpenAtANotificationKeepsTheCommandsControlsDisabled) {
  Create();
  Form->NextBtn.DoClick();
  Mci.QueueResult(mm::MCI_OPEN, mm::MCIERR_DEVICE_OPEN);
  Notify(mm::MCI_NOTIFY_ABORTED);

  EXPECT_EQ(Mci.Calls().back().command, mm::MCI_OPEN);
  EXPECT_EQ(DisabledControls(), (std::vector<std::string>{"BackSkip", "NextBtn", "MusicTrackBar"}));
  EXPECT_EQ(Form->MusicTrackBar.Position(), 2);
  EXPECT_EQ(Form->Label4.Caption(), u"2 トラック");
  // Focus goes back to the disabled NextBtn: the toolkit refuses.
  EXPECT_EQ(BoxTexts(),
            std::vector<std::u16string>{u"無効/非表示ウィンドウにはフォーカスを設定できません."});
}

TEST_F(PlayerTest, ADeviceErrorOfPlayStillReenablesTheControls) {
  Create();
  Mci.SetResult(mm::MCI_PLAY, mm::MCIERR_HARDWARE);
  Form->NextBtn.DoClick();
  Notify(mm::MCI_NOTIFY_ABORTED);

  EXPECT_EQ(Mci.LastOpenedPiece(), 2);
  EXPECT_TRUE(DisabledControls().empty());
  EXPECT_EQ(FocusedControl(), "NextBtn");
  EXPECT_TRUE(BoxTexts().empty());
}

// Input queued while a notification is handled reaches the window inside it, between the close
// and the open: such a command waits until the next piece plays, then acts on it with what the
// user chose, and no box shows.
struct HeldCommandCase {
  const char* name;
  void (*give)(TForm1& form);
  int pieceAfterItsNotification;  // 0: the command gives no notification
};

class CommandDuringPieceChangeTest : public PlayerTest,
                                     public ::testing::WithParamInterface<HeldCommandCase> {};

TEST_P(CommandDuringPieceChangeTest, IsAppliedOnceTheNextPiecePlays) {
  Create();
  Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PLAY);
  std::size_t callsBeforeCommand = 0;
  toolkit::MessageWindow input([&](std::uint32_t, std::uintptr_t, std::intptr_t) {
    callsBeforeCommand = Mci.Calls().size();
    GetParam().give(*Form);
  });
  ASSERT_TRUE(Mci.PostNotification(mm::MCI_NOTIFY_SUCCESSFUL));
  toolkit::postMessage(input.Handle(), 0x0400, 0, 0);
  App.Dispatch(toolkit::ProcessPostedMessages);

  ASSERT_EQ(Mci.LastOpenedPiece(), 2);
  const auto& calls = Mci.Calls();
  const auto play =
      std::find_if(calls.begin() + static_cast<std::ptrdiff_t>(callsBeforeCommand), calls.end(),
                   [](const auto& call) { return call.command == mm::MCI_PLAY; });
  ASSERT_NE(play, calls.end());
  ASSERT_NE(play + 1, calls.end()) << "the command reached no device";
  if (GetParam().pieceAfterItsNotification == 0) {
    EXPECT_EQ(calls.back().command, mm::MCI_PAUSE);
    EXPECT_TRUE(Form->PauseStat);
    EXPECT_EQ(Form->PauseBtn.Hint(), u"再開");
  } else {
    Notify(mm::MCI_NOTIFY_ABORTED);
    EXPECT_EQ(Mci.LastOpenedPiece(), GetParam().pieceAfterItsNotification);
    EXPECT_FALSE(Form->PauseStat);
  }
  EXPECT_TRUE(BoxTexts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandDuringPieceChangeTest,
    ::testing::Values(HeldCommandCase{"next", [](TForm1& form) { form.NextBtn.DoClick(); }, 3},
                      HeldCommandCase{"previous", [](TForm1& form) { form.BackSkip.DoClick(); }, 1},
                      HeldCommandCase{"pause", [](TForm1& form) { form.PauseBtn.DoClick(); }, 0},
                      HeldCommandCase{"list_row",
                                      [](TForm1& form) {
                                        form.ListBox.SetItemIndex(9);
                                        form.ListBox.DoMouseUp(toolkit::TMouseButton::mbLeft, 0, 5,
                                                               5);
                                      },
                                      10},
                      HeldCommandCase{"slider_key",
                                      [](TForm1& form) {
                                        form.MusicTrackBar.SetPosition(50);
                                        form.MusicTrackBar.DoKeyUp(0x27, 0);
                                      },
                                      50}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(PlayerTest, ExitClosesTheDeviceAndRemovesTheTemporaryFileAndFolder) {
  Create();
  ASSERT_TRUE(fs::exists(TemporaryFile()));
  Destroy();

  EXPECT_EQ(Mci.Calls().back().command, mm::MCI_CLOSE);
  EXPECT_FALSE(fs::exists(TemporaryFolder()));
  EXPECT_TRUE(fs::exists(SettingsFile()));
}

TEST_F(PlayerTest, ExitLeavesTheTemporaryFolderWhenItHoldsOtherFiles) {
  Create();
  std::ofstream(TemporaryFolder() / "mine.txt") << "mine";
  Destroy();

  EXPECT_FALSE(fs::exists(TemporaryFile()));
  EXPECT_TRUE(fs::exists(TemporaryFolder() / "mine.txt"));
}

}  // namespace
