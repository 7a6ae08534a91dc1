#include <functional>

#include "PlayerFixture.h"
#include "rtl/TextConversion.h"

namespace {

using Names = std::vector<std::string>;

struct CommandCase {
  const char* name;
  std::function<void(TForm1&, int target)> give;  // `target`: the row or position, if any
  Names disabledWhilePending;                     // in the order of CommandControls
  std::string focusAfter;                         // "" when the command leaves it as it was
};

void GiveListKey(TForm1& form, int row) {
  form.ListBox.SetItemIndex(row);
  form.ListBox.DoKeyUp(0x28, 0);  // down arrow; any key will do
}

void GiveListClick(TForm1& form, int row) {
  form.ListBox.SetItemIndex(row);
  form.ListBox.DoMouseUp(toolkit::TMouseButton::mbLeft, 0, 10, 5);
}

void GiveSliderKey(TForm1& form, int position) {
  form.MusicTrackBar.SetPosition(position);
  form.MusicTrackBar.DoKeyUp(0x27, 0);  // right arrow
}

const CommandCase kNext{"next",
                        [](TForm1& form, int) { form.NextBtn.DoClick(); },
                        {"BackSkip", "PauseBtn", "NextBtn", "MusicTrackBar"},
                        "NextBtn"};
const CommandCase kBack{"back",
                        [](TForm1& form, int) { form.BackSkip.DoClick(); },
                        {"BackSkip", "PauseBtn", "NextBtn", "MusicTrackBar"},
                        "BackSkip"};
const CommandCase kJump{
    "jump", [](TForm1& form, int) { form.Jump10Mujic1.DoClick(); }, {"BackSkip", "NextBtn"}, ""};
const CommandCase kListKey{
    "list key", GiveListKey, {"BackSkip", "NextBtn", "ListBox", "MusicTrackBar"}, "ListBox"};
const CommandCase kListClick{
    "list click", GiveListClick, {"BackSkip", "NextBtn", "ListBox", "MusicTrackBar"}, "ListBox"};
const CommandCase kSliderKey{"slider key",
                             GiveSliderKey,
                             {"BackSkip", "PauseBtn", "NextBtn", "MusicTrackBar"},
                             "MusicTrackBar"};

class NavigationTest : public PlayerTest {
 protected:
  // Gives the command on piece `current`, checks what waits for the notification, completes it
  // and checks the piece that then plays, the controls and the focus.
  void Run(const CommandCase& command, int current, int target, int expectedPiece,
           const std::string& expectedFocus) {
    SCOPED_TRACE(std::string(command.name) + " on piece " + std::to_string(current) + ", target " +
                 std::to_string(target) + ", repeat " + std::to_string(Form->RePeatChek.Checked()));
    Form->SaundIndex = current;
    command.give(*Form, target);
    ASSERT_EQ(Mci.Calls().back().command, mm::MCI_SEEK);
    EXPECT_NE(Mci.Calls().back().flags & mm::MCI_SEEK_TO_END, 0u);
    EXPECT_EQ(DisabledControls(), command.disabledWhilePending);

    Notify(mm::MCI_NOTIFY_ABORTED);
    ASSERT_EQ(Mci.LastOpenedPiece(), expectedPiece);
    EXPECT_EQ(Form->SaundIndex, expectedPiece);
    EXPECT_EQ(Form->Label4.Caption(), Utf8ToUtf16(std::to_string(expectedPiece) + " トラック"));
    EXPECT_EQ(Form->ListBox.ItemIndex(), expectedPiece - 1);
    EXPECT_TRUE(DisabledControls().empty());
    EXPECT_EQ(FocusedControl(), expectedFocus);
  }
};

TEST_F(NavigationTest, NextPreviousAndJumpFromEveryPieceWithRepeatOffAndOn) {
  Create();
  // The jump keeps the focus of the command before it.
  GiveSliderKey(*Form, 5);
  Notify(mm::MCI_NOTIFY_ABORTED);
  for (const bool repeat : {false, true}) {
    Form->RePeatChek.SetChecked(repeat);
    for (int k = 1; k <= 120; ++k) {
      Run(kJump, k, 0, repeat ? k : (k + 9) % 120 + 1, "MusicTrackBar");
    }
  }
  for (const bool repeat : {false, true}) {
    Form->RePeatChek.SetChecked(repeat);
    for (int k = 1; k <= 120; ++k) {
      Run(kNext, k, 0, repeat ? k : k % 120 + 1, kNext.focusAfter);
      Run(kBack, k, 0, repeat ? k : (k + 118) % 120 + 1, kBack.focusAfter);
    }
  }
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(NavigationTest, EveryListRowAndSliderPositionPlaysItsPiece) {
  Create();
  for (const bool repeat : {false, true}) {
    Form->RePeatChek.SetChecked(repeat);
    for (int row = 0; row < 120; ++row) {
      const CommandCase& list = row % 2 == 0 ? kListKey : kListClick;
      Run(list, 60, row, row + 1, list.focusAfter);
      Run(kSliderKey, 60, row + 1, row + 1, kSliderKey.focusAfter);
    }
  }
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(NavigationTest, ChoosingTheCurrentPieceRestartsIt) {
  Create();
  Run(kListKey, 1, 0, 1, "ListBox");
  Run(kSliderKey, 1, 1, 1, "MusicTrackBar");
}

TEST_F(NavigationTest, TheSecondOfTwoEqualTitlesPlaysThePieceAtItsRow) {
  Create();
  ASSERT_EQ(Form->ListBox.Items().at(32), Form->ListBox.Items().at(67));
  Run(kListClick, 1, 67, 68, "ListBox");
}

TEST_F(NavigationTest, DraggingTheMusicSliderOnlyPreviewsThePiece) {
  Create();
  const std::size_t calls = Mci.Calls().size();
  Form->MusicTrackBar.DoUserMove(50);

  EXPECT_EQ(Form->Label4.Caption(), u"50 トラック");
  EXPECT_EQ(Form->ListBox.ItemIndex(), 49);
  EXPECT_EQ(Form->SaundIndex, 1);
  EXPECT_EQ(Mci.Calls().size(), calls);
}

TEST_F(NavigationTest, PauseAndResumeKeepThePieceAndPausingRaisesNoAdvance) {
  Create();
  Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PLAY);
  Form->PauseBtn.DoClick();

  EXPECT_TRUE(Form->PauseStat);
  EXPECT_EQ(Form->PauseBtn.Hint(), u"再開");
  EXPECT_EQ(Resources.Names.back(), u"Arrow");
  EXPECT_EQ(Mci.Calls().back().command, mm::MCI_PAUSE);
  EXPECT_EQ(DisabledControls(), (Names{"BackSkip", "NextBtn", "ListBox", "MusicTrackBar"}));

  // The interrupted play's notification: nothing is closed or advanced.
  const std::size_t calls = Mci.Calls().size();
  Notify(mm::MCI_NOTIFY_ABORTED);
  EXPECT_EQ(Mci.Calls().size(), calls);
  EXPECT_EQ(Form->SaundIndex, 1);
  EXPECT_EQ(DisabledControls(), (Names{"BackSkip", "NextBtn", "ListBox", "MusicTrackBar"}));
  EXPECT_EQ(FocusedControl(), "PauseBtn");

  Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PAUSE);
  Form->PauseBtn.DoClick();
  EXPECT_FALSE(Form->PauseStat);
  EXPECT_EQ(Form->PauseBtn.Hint(), u"一時停止");
  EXPECT_EQ(Resources.Names.back(), u"Pause");
  EXPECT_EQ(Mci.Calls().back().command, mm::MCI_RESUME);
  EXPECT_NE(Mci.Calls().back().flags & mm::MCI_NOTIFY, 0u);
  EXPECT_TRUE(DisabledControls().empty());

  // The resumed piece ends: the next one starts, and the focus stays on the pause button.
  Notify();
  EXPECT_EQ(Mci.OpenedPieces(), (std::vector<int>{1, 2}));
  EXPECT_EQ(FocusedControl(), "PauseBtn");
  EXPECT_TRUE(BoxTexts().empty());
}

// Some sequencers post nothing at the pause and two notifications at once at the resume: the
// second, delivered by the first one's message pump, must not start yet another piece.
TEST_F(NavigationTest, TwoNotificationsAtOnceAfterAResumeAdvanceOnce) {
  Create();
  Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PLAY);
  Form->PauseBtn.DoClick();
  Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PAUSE);
  Form->PauseBtn.DoClick();

  ASSERT_TRUE(Mci.PostNotification(mm::MCI_NOTIFY_SUPERSEDED));
  ASSERT_TRUE(Mci.PostNotification(mm::MCI_NOTIFY_SUCCESSFUL));
  ProcessMessages();
  EXPECT_EQ(Mci.OpenedPieces(), (std::vector<int>{1, 2}));
  EXPECT_EQ(Form->SaundIndex, 2);
  EXPECT_EQ(Form->ListBox.ItemIndex(), 1);
  EXPECT_TRUE(DisabledControls().empty());

  // The player goes on as before: the new piece's end starts the one after it.
  Notify();
  EXPECT_EQ(Mci.OpenedPieces(), (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(BoxTexts().empty());
}

// Jump+10 while paused seeks a device that has no notification left to give; the resume plays
// the jump's piece whether the seek left the device paused or stopped.
TEST_F(NavigationTest, ResumeAfterAJumpWhilePausedPlaysTheJumpsPiece) {
  for (const mm::DWORD modeAfterSeek : {mm::MCI_MODE_PAUSE, mm::MCI_MODE_STOP}) {
    SCOPED_TRACE(modeAfterSeek);
    Create();
    const int target = Form->SaundIndex + 10;
    Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PLAY);
    Form->PauseBtn.DoClick();
    Notify(mm::MCI_NOTIFY_ABORTED);
    Form->Jump10Mujic1.DoClick();
    Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, modeAfterSeek);

    Form->PauseBtn.DoClick();
    EXPECT_EQ(Mci.LastOpenedPiece(), target);
    EXPECT_EQ(Mci.Calls().back().command, mm::MCI_PLAY);
    EXPECT_FALSE(Form->PauseStat);
    EXPECT_EQ(Form->PauseBtn.Hint(), u"一時停止");
    EXPECT_EQ(Form->Label4.Caption(), Utf8ToUtf16(std::to_string(target) + " トラック"));
    EXPECT_TRUE(DisabledControls().empty());
    EXPECT_EQ(FocusedControl(), "PauseBtn");

    // From then on it plays as usual: a later pause and resume resumes the device.
    Form->PauseBtn.DoClick();
    Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PAUSE);
    Form->PauseBtn.DoClick();
    EXPECT_EQ(Mci.Calls().back().command, mm::MCI_RESUME);
    EXPECT_EQ(Mci.LastOpenedPiece(), target);
    EXPECT_TRUE(BoxTexts().empty());
    Destroy();
  }
}

TEST_F(NavigationTest, WithoutADeviceTheCommandsStopAtNext) {
  Mci.QueueResult(mm::MCI_OPEN, mm::MCIERR_DEVICE_OPEN);
  Create();
  ASSERT_TRUE(BoxTexts().empty());

  GiveListKey(*Form, 9);
  EXPECT_EQ(Form->SaundIndex, 9);
  EXPECT_EQ(DisabledControls(), Names{"ListBox"});
  Form->ListBox.SetEnabled(true);

  Form->MusicTrackBar.SetPosition(30);
  Form->MusicTrackBar.DoKeyUp(0x27, 0);
  EXPECT_EQ(Form->SaundIndex, 29);
  EXPECT_TRUE(DisabledControls().empty());

  Form->PauseBtn.DoClick();
  EXPECT_TRUE(Form->PauseStat);
  EXPECT_EQ(DisabledControls(), (Names{"BackSkip", "NextBtn", "ListBox", "MusicTrackBar"}));
  EXPECT_EQ(Form->ForcasIndex, 0);

  EXPECT_EQ(BoxTexts(), std::vector<std::u16string>(3, u"MCI デバイスがありません."));
}

}  // namespace
