#include <filesystem>

#include "PlayerFixture.h"

namespace {

namespace fs = std::filesystem;

TEST_F(PlayerTest, FirstRunCreatesTheFolderAndStartsWithTheDefaults) {
  ASSERT_FALSE(fs::exists(SettingsFile().parent_path()));
  Create();

  EXPECT_TRUE(fs::is_directory(SettingsFile().parent_path()));
  EXPECT_EQ(Form->Left(), 0);
  EXPECT_EQ(Form->Top(), 0);
  EXPECT_EQ(Form->TrackBarVolume.Position(), 40);
  EXPECT_EQ(Mci.OpenedPieces(), std::vector<int>{1});
  EXPECT_FALSE(Form->RePeatChek.Checked());

  Destroy();
  // Blank lines between sections are the file service's layout.
  std::string lines = SettingsFileText();
  std::erase(lines, '\r');
  for (std::size_t blank; (blank = lines.find("\n\n")) != std::string::npos;) {
    lines.erase(blank, 1);
  }
  EXPECT_EQ(lines,
            "[Window]\nLeft=0\nTop=0\n[SaundSeting]\nMastarVolume=40\nSaundIndex=1\nRepeat=0\n");
}

struct StoredCase {
  const char* text;
  int piece;
  bool repeat;
};

TEST_F(PlayerTest, StoredValuesAreReadInEveryFormTheFileMayHold) {
  const StoredCase cases[] = {
      {"SaundIndex=0x1A", 26, false},
      {"SaundIndex=$1A", 26, false},
      {"SaundIndex=abc", 1, false},
      {"SaundIndex=7x", 1, false},
      {"Repeat=2", 1, true},
      {"Repeat=abc", 1, false},
      {"Repeat=1\nSaundIndex=120", 120, true},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.text);
    WriteSettingsFile(std::string("[SaundSeting]\n") + row.text + "\n");
    Create();
    EXPECT_EQ(Mci.LastOpenedPiece(), row.piece);
    EXPECT_EQ(Form->RePeatChek.Checked(), row.repeat);
    Destroy();
  }
}

TEST_F(PlayerTest, NamesCompareWithoutCaseAndOtherLinesAreKept) {
  WriteSettingsFile("; mine\n[saundseting]\nsaundindex=5\n[Other]\nKey=Value\n");
  Create();
  EXPECT_EQ(Mci.LastOpenedPiece(), 5);
  Destroy();

  const std::string text = SettingsFileText();
  EXPECT_NE(text.find("; mine\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[Other]\nKey=Value\n"), std::string::npos) << text;
  EXPECT_NE(text.find("saundindex=5\n"), std::string::npos) << text;
}

TEST_F(PlayerTest, TheWindowGoesWhereItWasLeft) {
  WriteSettingsFile("[Window]\nLeft=120\nTop=80\n");
  Create();
  EXPECT_EQ(Form->Left(), 120);
  EXPECT_EQ(Form->Top(), 80);
  Form->SetLeft(33);
  Destroy();
  EXPECT_NE(SettingsFileText().find("Left=33\nTop=80\n"), std::string::npos);
}

TEST_F(PlayerTest, ExitStoresTheValuesOfTheRun) {
  Create();
  Form->TrackBarVolume.DoUserMove(73);
  Form->RePeatChek.DoUserClick(true);
  Form->MusicTrackBar.SetPosition(9);
  Form->MusicTrackBar.DoKeyUp(0x27, 0);
  Notify(mm::MCI_NOTIFY_ABORTED);
  ASSERT_EQ(Mci.LastOpenedPiece(), 9);
  Destroy();

  EXPECT_NE(SettingsFileText().find("MastarVolume=73\nSaundIndex=9\nRepeat=1\n"), std::string::npos)
      << SettingsFileText();
}

TEST_F(PlayerTest, ARefusedWriteIsReportedAndTheFileIsLeftAsItWas) {
  const std::string stored = "[SaundSeting]\nSaundIndex=5\n";
  WriteSettingsFile(stored);
  ReadOnlyProfileStrings readOnly;
  Profile = &readOnly;
  Create();
  EXPECT_EQ(Mci.LastOpenedPiece(), 5);
  Destroy();

  // The first refused write ends the handler: one box, not one per key.
  EXPECT_EQ(BoxTexts(),
            std::vector<std::u16string>{TempFolder::Text(SettingsFile()) + u" に書き込めません."});
  EXPECT_EQ(SettingsFileText(), stored);
}

}  // namespace
