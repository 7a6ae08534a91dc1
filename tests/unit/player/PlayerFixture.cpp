#include "PlayerFixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

#include "player/Catalogue.h"
#include "rtl/TextConversion.h"
#include "support/TestApplication.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string AsString(const std::vector<std::byte>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Every piece's bytes, to recognise a file by its content.
const std::map<std::string, int>& PiecesByContent() {
  static const std::map<std::string, int> pieces = [] {
    std::map<std::string, int> byContent;
    for (int piece = 1; piece <= kPieceCount; ++piece) {
      byContent.emplace(AsString(PieceBytes(piece)), piece);
    }
    return byContent;
  }();
  return pieces;
}

}  // namespace

mm::MCIERROR PieceRecordingMci::mciSendCommandW(mm::MCIDEVICEID IDDevice, mm::UINT uMsg,
                                                mm::DWORD_PTR fdwCommand, mm::DWORD_PTR dwParam) {
  if (uMsg == mm::MCI_OPEN) {
    const auto& open = *reinterpret_cast<const mm::MCI_OPEN_PARMSW*>(dwParam);
    const auto found =
        PiecesByContent().find(ReadFile(Utf16ToUtf8(std::u16string(open.lpstrElementName))));
    FOpenedPieces.push_back(found != PiecesByContent().end() ? found->second : 0);
  }
  return RecordingMciApi::mciSendCommandW(IDDevice, uMsg, fdwCommand, dwParam);
}

std::size_t PieceRecordingMci::CountOf(mm::UINT command) const {
  return static_cast<std::size_t>(std::ranges::count(Calls(), command, &MciCall::command));
}

std::vector<std::byte> RecordingResources::Load(std::u16string_view name,
                                                platform::ResourceType type) {
  Names.emplace_back(name);
  return platform::SystemResources().Load(name, type);
}

std::u16string ReadOnlyProfileStrings::Read(const std::u16string& file,
                                            const std::u16string& section,
                                            const std::u16string& key,
                                            const std::u16string& fallback) {
  return platform::SystemProfileStrings().Read(file, section, key, fallback);
}

std::vector<std::byte> PieceBytes(int piece) {
  return platform::SystemResources().Load(PieceResourceName(piece), platform::ResourceType::RcData);
}

std::vector<SimDevice> SpeakersWithVolume() {
  SimControl volume{.type = mm::MIXERCONTROL_CONTROLTYPE_VOLUME, .values = {30000, 30000}};
  SimControl mute{.type = mm::MIXERCONTROL_CONTROLTYPE_MUTE, .values = {0}};
  SimLine speakers{.type = mm::MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
                   .name = u"Master",
                   .controls = {volume, mute}};
  return {SimDevice{u"default", {speakers}}};
}

PlayerTest::PlayerTest()
    : App(support::TestApplication()),
      Profile(&platform::SystemProfileStrings()),
      Dialogs(std::make_unique<support::DialogResponder>()) {
  App.SetTitle(u"Kalvio");
}

PlayerTest::~PlayerTest() {
  if (Form != nullptr) {
    Destroy();
  }
}

void PlayerTest::Create() {
  Form = &App.CreateForm<TForm1>(Mci, Mixer, Resources, DocumentsFolder,
                                 platform::SystemFileSystem(), *Profile, Shutdown);
  Form->Show();
}

void PlayerTest::Destroy() {
  App.DestroyForm(*Form);
  Form = nullptr;
}

void PlayerTest::Restart() {
  Destroy();
  Create();
}

void PlayerTest::Notify(mm::WPARAM code) {
  ASSERT_TRUE(Mci.PostNotification(code));
  ProcessMessages();
}

void PlayerTest::ProcessMessages() {
  App.ProcessMessages();
}

void PlayerTest::WriteSettingsFile(const std::string& text) {
  std::filesystem::create_directories(SettingsFile().parent_path());
  std::ofstream(SettingsFile(), std::ios::binary) << text;
}

std::string PlayerTest::SettingsFileText() const {
  std::string text = ReadFile(SettingsFile());
  std::erase(text, '\r');  // Windows ends the profile file's lines with CR LF
  return text;
}

std::vector<std::u16string> PlayerTest::BoxTexts() const {
  std::vector<std::u16string> texts;
  for (const auto& box : Dialogs->Boxes()) {
    texts.push_back(box.Text);
  }
  return texts;
}

std::vector<std::pair<std::string, toolkit::TControl*>> PlayerTest::CommandControls() const {
  return {{"BackSkip", &Form->BackSkip},
          {"PauseBtn", &Form->PauseBtn},
          {"NextBtn", &Form->NextBtn},
          {"ListBox", &Form->ListBox},
          {"MusicTrackBar", &Form->MusicTrackBar}};
}

std::vector<std::string> PlayerTest::DisabledControls() const {
  std::vector<std::string> disabled;
  for (const auto& [name, control] : CommandControls()) {
    if (!control->Enabled()) {
      disabled.push_back(name);
    }
  }
  return disabled;
}

std::string PlayerTest::FocusedControl() const {
  for (const auto& [name, control] : CommandControls()) {
    if (control->Focused()) {
      return name;
    }
  }
  return "";
}
