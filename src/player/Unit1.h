#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mediaplayer/MediaPlayer.h"
#include "mixer/Mixers.h"
#include "multimedia/mci.h"
#include "multimedia/mixerapi.h"
#include "platform/DocumentsFolder.h"
#include "platform/FileSystem.h"
#include "platform/ProfileStrings.h"
#include "platform/Resources.h"
#include "platform/Shutdown.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/ImageButton.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/TrackBar.h"

// The main window: the music box's controls, its media player and its mixer. The constructor
// builds the window; TApplication::CreateForm then runs FormCreate.
class TForm1 : public toolkit::TForm {
 public:
  // The system services it uses; tests pass doubles.
  explicit TForm1(mm::MciApi& mciApi = mm::SystemMciApi(),
                  mm::MixerApi& mixerApi = mm::SystemMixerApi(),
                  platform::Resources& resources = platform::SystemResources(),
                  platform::DocumentsFolder& documents = platform::SystemDocumentsFolder(),
                  platform::FileSystem& files = platform::SystemFileSystem(),
                  platform::ProfileStrings& profileStrings = platform::SystemProfileStrings(),
                  platform::Shutdown& shutdown = platform::SystemShutdown());

  // Controls and components, in creation order.
  TMediaPlayer MediaPlayer;
  toolkit::TGroupBox GroupBox1{*this};
  toolkit::TLabel Label1{GroupBox1};
  toolkit::TLabel Label2{GroupBox1};
  toolkit::TLabel Label3{GroupBox1};
  toolkit::TTrackBar TrackBarVolume{GroupBox1};
  toolkit::TImageButton NextBtn{*this};
  toolkit::TImageButton BackSkip{*this};
  toolkit::TGroupBox GroupBox2{*this};
  toolkit::TLabel Label4{GroupBox2};
  toolkit::TTrackBar MusicTrackBar{GroupBox2};
  toolkit::TCheckBox RePeatChek{*this};
  toolkit::TListBox ListBox{*this};
  toolkit::TCheckBox AutFaseOutCheckBox{*this};
  toolkit::TCheckBox AutoDownCheckBox{*this};
  toolkit::TImageButton PauseBtn{*this};
  TMixer Mixer;
  toolkit::TPopupMenu PopupMenu;
  toolkit::TMenuItem MenuM1{PopupMenu};
  toolkit::TMenuItem Jump10Mujic1{PopupMenu};

  void FormCreate(toolkit::TObject& Sender);
  void FormDestroy(toolkit::TObject& Sender);
  void MediaPlayerNotify(TMediaPlayer& Sender);
  void TrackBarVolumeChange(toolkit::TObject& Sender);
  void NextBtnClick(toolkit::TObject& Sender);
  void BackSkipClick(toolkit::TObject& Sender);
  void MusicTrackBarChange(toolkit::TObject& Sender);
  void MusicTrackBarKeyUp(toolkit::TObject& Sender, std::uint16_t Key, toolkit::TShiftState Shift);
  void ListBoxKeyUp(toolkit::TObject& Sender, std::uint16_t Key, toolkit::TShiftState Shift);
  void ListBoxMouseUp(toolkit::TObject& Sender, toolkit::TMouseButton Button,
                      toolkit::TShiftState Shift, int X, int Y);
  void AutoDownCheckBoxClick(toolkit::TObject& Sender);
  void PauseBtnClick(toolkit::TObject& Sender);
  void MixerControlChange(TMixer* Sender, TMixerDev* Dev, TMixerItem* Item, TMixerCtrl* Ctrl);
  void MenuM1Click(toolkit::TObject& Sender);
  void Jump10Mujic1Click(toolkit::TObject& Sender);

  // The player's state.
  std::u16string SpDir;  // the Documents folder, base of the settings and temporary folders
  std::optional<std::vector<std::byte>> myStream;  // the piece from its lookup to its opening
  // The current piece, 1..120; between a command and its notification the pre-adjusted value.
  std::int32_t SaundIndex = 1;
  bool InProcessOfCallback = false;  // while MixerControlChange moves the volume slider
  bool PauseStat = false;
  // The control of the last command, focused after every notification: 0 BackSkip, 1 PauseBtn,
  // 2 NextBtn, 3 ListBox, 4 MusicTrackBar.
  std::int32_t ForcasIndex = 0;
  std::u16string FIniFileName;
  std::int32_t MastarVolumeSeting = 40;  // the volume the slider last applied

  // The piece on the device (or the one last tried), 1..120: what is heard and what is stored,
  // whatever a pending command has made of SaundIndex.
  std::int32_t OpenPiece() const { return FOpenPiece; }

 private:
  void ReadSettings();
  void WriteSettings();
  // The button's picture from the bitmap resource `name`, with its drawings for scaled displays.
  void LoadButtonGlyph(toolkit::TImageButton& button, const std::u16string& name);
  void BindVolumeSlider();
  void ExtractPiece();
  void RemoveTemporaryFiles();
  void ChooseListRow();
  void FadeOutStep();
  void ShutdownCheck();
  void FocusCommandControl();
  void StartNextPiece();
  // Runs a command now or, while a piece change is under way (its message pump delivers input),
  // once that change is done: the device is closed between two pieces.
  void WhenPieceSettled(std::function<void()> command);
  void EndPieceChange(bool runHeldCommands);
  void BuildWindow();
  void BuildVolumeGroup();
  void BuildMusicTrackGroup();
  void BuildButtonsAndOptions();
  void BuildPopupMenu();
  void WireEvents();

  platform::Resources& FResources;
  platform::DocumentsFolder& FDocuments;
  platform::FileSystem& FFiles;
  platform::ProfileStrings& FProfileStrings;
  platform::Shutdown& FShutdown;
  // While MediaPlayerNotify runs: a notification its message pump delivers reports the play it is
  // already replacing (some sequencers post two at once on resume) and is ignored.
  bool FHandlingNotification = false;
  // Jump+10 while paused seeks a device whose play has no notification left to give: the resume
  // then starts the jump's piece itself, whatever mode the seek left the device in.
  bool FJumpedWhilePaused = false;
  std::int32_t FOpenPiece = 1;
  bool FChangingPiece = false;
  std::vector<std::function<void()>> FCommandsHeldDuringChange;
};
