#include "player/Catalogue.h"
#include "player/LabelTexts.h"
#include "player/Unit1.h"

// The commands never start a piece themselves. Each stores the piece before its target (the
// notification adds one) or, with repeat on, the target itself; Next then cuts the playing piece
// short, and the notification starts the target and re-enables what the command disabled.

// A command that arrives while a piece change is under way is applied once it is done, with the
// row or slider position the user chose.

void TForm1::NextBtnClick(toolkit::TObject& /*Sender*/) {
  WhenPieceSettled([this] {
    MediaPlayer.Next();
    NextBtn.SetEnabled(false);
    BackSkip.SetEnabled(false);
    PauseBtn.SetEnabled(false);
    MusicTrackBar.SetEnabled(false);
    ForcasIndex = 2;
  });
}

void TForm1::BackSkipClick(toolkit::TObject& /*Sender*/) {
  WhenPieceSettled([this] {
    if (!RePeatChek.Checked()) {
      SaundIndex = SaundIndex <= 1 ? kPieceCount - 1 : SaundIndex - 2;
    }
    MediaPlayer.Next();
    NextBtn.SetEnabled(false);
    BackSkip.SetEnabled(false);
    PauseBtn.SetEnabled(false);
    MusicTrackBar.SetEnabled(false);
    ForcasIndex = 0;
  });
}

void TForm1::Jump10Mujic1Click(toolkit::TObject& /*Sender*/) {
  WhenPieceSettled([this] {
    if (!RePeatChek.Checked()) {
      // The piece before the target, ten on, wrapped past the last piece.
      const std::int32_t before = SaundIndex + 9;
      SaundIndex = before > kPieceCount - 1 ? before - kPieceCount : before;
    }
    MediaPlayer.Next();
    NextBtn.SetEnabled(false);
    BackSkip.SetEnabled(false);
    FJumpedWhilePaused = PauseStat;
  });
}

void TForm1::ListBoxKeyUp(toolkit::TObject& /*Sender*/, std::uint16_t /*Key*/,
                          toolkit::TShiftState /*Shift*/) {
  ChooseListRow();
}

void TForm1::ListBoxMouseUp(toolkit::TObject& /*Sender*/, toolkit::TMouseButton /*Button*/,
                            toolkit::TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
  ChooseListRow();
}

// Row r names piece r + 1.
void TForm1::ChooseListRow() {
  const int row = ListBox.ItemIndex();
  WhenPieceSettled([this, row] {
    SaundIndex = RePeatChek.Checked() ? row + 1 : row;
    ListBox.SetEnabled(false);
    MediaPlayer.Next();
    NextBtn.SetEnabled(false);
    BackSkip.SetEnabled(false);
    MusicTrackBar.SetEnabled(false);
    ForcasIndex = 3;
  });
}

// Dragging only previews the number and the title; a key released on the slider plays it.
void TForm1::MusicTrackBarChange(toolkit::TObject& /*Sender*/) {
  Label4.SetCaption(TrackText(MusicTrackBar.Position()));
  ListBox.SetItemIndex(MusicTrackBar.Position() - 1);
}

void TForm1::MusicTrackBarKeyUp(toolkit::TObject& /*Sender*/, std::uint16_t /*Key*/,
                                toolkit::TShiftState /*Shift*/) {
  const int position = MusicTrackBar.Position();
  WhenPieceSettled([this, position] {
    SaundIndex = RePeatChek.Checked() ? position : position - 1;
    MediaPlayer.Next();
    NextBtn.SetEnabled(false);
    BackSkip.SetEnabled(false);
    MusicTrackBar.SetEnabled(false);
    PauseBtn.SetEnabled(false);
    ForcasIndex = 4;
  });
}

// Pausing may raise one notification at once; PauseStat is switched first, so that it only
// re-enables and focuses the pause button. A resume after Jump+10 while paused starts the jump's
// piece at once: the seek left no play to resume and no notification to wait for.
void TForm1::PauseBtnClick(toolkit::TObject& /*Sender*/) {
  WhenPieceSettled([this] {
    if (PauseStat) {
      PauseStat = false;
      PauseBtn.SetHint(u"一時停止");
      LoadButtonGlyph(PauseBtn, u"Pause");
      BackSkip.SetEnabled(true);
      MusicTrackBar.SetEnabled(true);
      NextBtn.SetEnabled(true);
      ListBox.SetEnabled(true);
      if (FJumpedWhilePaused) {
        ForcasIndex = 1;
        MediaPlayerNotify(MediaPlayer);
        return;
      }
    } else {
      PauseStat = true;
      PauseBtn.SetHint(u"再開");
      LoadButtonGlyph(PauseBtn, u"Arrow");
      BackSkip.SetEnabled(false);
      MusicTrackBar.SetEnabled(false);
      NextBtn.SetEnabled(false);
      ListBox.SetEnabled(false);
    }
    MediaPlayer.Pause();
    ForcasIndex = 1;
  });
}

void TForm1::MenuM1Click(toolkit::TObject& /*Sender*/) {
  WhenPieceSettled([this] { Close(); });
}
