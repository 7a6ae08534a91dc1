#include "player/Unit1.h"

#include <utility>

#include "player/Catalogue.h"
#include "player/LabelTexts.h"
#include "player/TrackExtraction.h"
#include "toolkit/Application.h"

// Start-up: settings, volume binding, then the stored piece.
void TForm1::FormCreate(toolkit::TObject& /*Sender*/) {
  SetCaption(toolkit::Application().Title());
  ReadSettings();
  BindVolumeSlider();
  // A stored number outside the catalogue (an edited file, or the pre-adjusted 0 saved while a
  // command was pending) would leave the player silent for good and be saved again at exit.
  if (SaundIndex < 1 || SaundIndex > kPieceCount) {
    SaundIndex = 1;
  }
  FOpenPiece = SaundIndex;
  FChangingPiece = true;
  try {
    ExtractPiece();
    toolkit::Application().ProcessMessages();
    try {
      MediaPlayer.SetFileName(TemporaryFileOf(SpDir));
      MediaPlayer.Open();
      MediaPlayer.Play();
      MusicTrackBar.SetPosition(SaundIndex);
      Label4.SetCaption(TrackText(SaundIndex));
      ListBox.SetItemIndex(SaundIndex - 1);
    } catch (...) {
      // A piece that cannot be opened leaves the player silent, without a message.
    }
    myStream.reset();
    PauseStat = false;
    LoadButtonGlyph(PauseBtn, u"Pause");
  } catch (...) {
    EndPieceChange(false);
    throw;
  }
  EndPieceChange(true);
}

// Every notification of the media player: a piece ended, a command cut it short, or pausing
// interrupted it. Unless paused, the next piece (or the command's target) starts here.
void TForm1::MediaPlayerNotify(TMediaPlayer& /*Sender*/) {
  if (FHandlingNotification) {
    return;
  }
  FHandlingNotification = true;
  try {
    if (!PauseStat) {
      StartNextPiece();
    }
    PauseBtn.SetEnabled(true);
    FocusCommandControl();
  } catch (...) {
    FHandlingNotification = false;
    EndPieceChange(false);
    throw;
  }
  FHandlingNotification = false;
  EndPieceChange(true);
}

void TForm1::StartNextPiece() {
  FChangingPiece = true;
  FJumpedWhilePaused = false;
  MediaPlayer.Close();
  FFiles.RemoveFile(TemporaryFileOf(SpDir));
  if (!RePeatChek.Checked()) {
    SaundIndex = SaundIndex >= kPieceCount ? 1 : SaundIndex + 1;
  }
  ExtractPiece();
  FOpenPiece = SaundIndex;
  toolkit::Application().ProcessMessages();
  try {
    MediaPlayer.SetFileName(TemporaryFileOf(SpDir));
    MediaPlayer.Open();
    MediaPlayer.Play();
    NextBtn.SetEnabled(true);
    BackSkip.SetEnabled(true);
    MusicTrackBar.SetEnabled(true);
    ListBox.SetItemIndex(SaundIndex - 1);
    ListBox.SetEnabled(true);
  } catch (...) {
    // As at start-up; the controls a command disabled stay disabled.
  }
  myStream.reset();
  MusicTrackBar.SetPosition(SaundIndex);
  Label4.SetCaption(TrackText(SaundIndex));
  FadeOutStep();
  ShutdownCheck();
}

void TForm1::WhenPieceSettled(std::function<void()> command) {
  if (FChangingPiece) {
    FCommandsHeldDuringChange.push_back(std::move(command));
    return;
  }
  command();
}

// A change that failed leaves no device for the held commands: they would only report that.
void TForm1::EndPieceChange(bool runHeldCommands) {
  FChangingPiece = false;
  auto held = std::exchange(FCommandsHeldDuringChange, {});
  if (!runHeldCommands) {
    return;
  }
  for (const auto& command : held) {
    toolkit::Application().Dispatch(command);
  }
}

// Exit: the device closed, the temporary file and folder removed, then the settings written.
void TForm1::FormDestroy(toolkit::TObject& /*Sender*/) {
  MediaPlayer.Close();
  RemoveTemporaryFiles();
  WriteSettings();
}

void TForm1::FocusCommandControl() {
  switch (ForcasIndex) {
    case 0:
      BackSkip.SetFocus();
      break;
    case 1:
      PauseBtn.SetFocus();
      break;
    case 2:
      NextBtn.SetFocus();
      break;
    case 3:
      ListBox.SetFocus();
      break;
    case 4:
      MusicTrackBar.SetFocus();
      break;
    default:
      break;
  }
}
