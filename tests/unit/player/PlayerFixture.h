#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../platform/TempFolder.h"
#include "platform/DocumentsFolder.h"
#include "platform/ProfileStrings.h"
#include "platform/Resources.h"
#include "platform/Shutdown.h"
#include "player/Unit1.h"
#include "support/DialogResponder.h"
#include "support/RecordingMciApi.h"
#include "support/SimulatedMixer.h"
#include "toolkit/Application.h"

// An MCI that also tells which catalogue piece the element file held when it was opened: the
// whole chain from piece number to resource to temporary file, checked byte for byte.
class PieceRecordingMci : public RecordingMciApi {
 public:
  mm::MCIERROR mciSendCommandW(mm::MCIDEVICEID IDDevice, mm::UINT uMsg, mm::DWORD_PTR fdwCommand,
                               mm::DWORD_PTR dwParam) override;

  // Per MCI_OPEN: the piece number, 0 when the file is no catalogue piece.
  const std::vector<int>& OpenedPieces() const { return FOpenedPieces; }
  int LastOpenedPiece() const { return FOpenedPieces.empty() ? -1 : FOpenedPieces.back(); }
  std::size_t CountOf(mm::UINT command) const;

 private:
  std::vector<int> FOpenedPieces;
};

class FixedDocumentsFolder : public platform::DocumentsFolder {
 public:
  explicit FixedDocumentsFolder(std::u16string path) : FPath(std::move(path)) {}
  std::u16string Path() override { return FPath; }

 private:
  std::u16string FPath;
};

class CountingShutdown : public platform::Shutdown {
 public:
  void RequestShutdown() override { ++Requests; }
  int Requests = 0;
};

// The real resources, with the names asked for.
class RecordingResources : public platform::Resources {
 public:
  std::vector<std::byte> Load(std::u16string_view name, platform::ResourceType type) override;
  std::vector<std::u16string> Names;
};

// A settings file that can be read but not written, as a read-only file is for its user.
class ReadOnlyProfileStrings : public platform::ProfileStrings {
 public:
  std::u16string Read(const std::u16string& file, const std::u16string& section,
                      const std::u16string& key, const std::u16string& fallback) override;
  bool Write(const std::u16string&, const std::u16string&, const std::u16string&,
             const std::u16string&) override {
    return false;
  }
};

// The resource's bytes, as a piece's temporary file must hold them.
std::vector<std::byte> PieceBytes(int piece);

// A master line of 0..65535 on the first device, at 30000 on both channels: volume control 1,
// mute control 2.
std::vector<SimDevice> SpeakersWithVolume();
inline constexpr mm::DWORD kMasterVolumeControl = 1;

// The real TForm1 on the Qt offscreen backend with the recording MCI, the simulated mixer, a
// temporary Documents folder, the real file system and settings file, and a shutdown double.
// Every message box is answered and recorded.
class PlayerTest : public ::testing::Test {
 protected:
  PlayerTest();
  ~PlayerTest() override;

  // Creates and shows the window; its create handler runs the start-up.
  void Create();
  // Destroys the window; its destroy handler cleans up and writes the settings.
  void Destroy();
  // Creates, then destroys, then creates the window again.
  void Restart();

  // The media player's device posts this notification; the message loop delivers it.
  void Notify(mm::WPARAM code = mm::MCI_NOTIFY_SUCCESSFUL);
  void ProcessMessages();

  void WriteSettingsFile(const std::string& text);
  std::string SettingsFileText() const;
  std::filesystem::path SettingsFile() const { return Documents() / "Kalvio" / "Kalvio.Ini"; }
  std::filesystem::path TemporaryFolder() const { return Documents() / "test"; }
  std::filesystem::path TemporaryFile() const { return TemporaryFolder() / "test.mid"; }
  std::filesystem::path Documents() const { return Temp.Path() / "Documents"; }

  // The texts of the message boxes shown so far.
  std::vector<std::u16string> BoxTexts() const;
  // Of the five command controls (BackSkip, PauseBtn, NextBtn, ListBox, MusicTrackBar): the
  // disabled ones and the focused one, by name; "" when none of them has the focus.
  std::vector<std::pair<std::string, toolkit::TControl*>> CommandControls() const;
  std::vector<std::string> DisabledControls() const;
  std::string FocusedControl() const;

  toolkit::TApplication& App;
  TempFolder Temp;
  PieceRecordingMci Mci;
  SimulatedMixer Mixer{SpeakersWithVolume()};
  RecordingResources Resources;
  FixedDocumentsFolder DocumentsFolder{TempFolder::Text(Temp.Path() / "Documents")};
  platform::ProfileStrings* Profile;
  CountingShutdown Shutdown;
  std::unique_ptr<support::DialogResponder> Dialogs;
  TForm1* Form = nullptr;
};
