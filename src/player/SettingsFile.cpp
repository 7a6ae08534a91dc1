#include "platform/IniFile.h"
#include "platform/PathDelimiter.h"
#include "player/Unit1.h"

// Kalvio/Kalvio.Ini under the Documents folder, read once at start-up and written once at
// exit. Values are not range-checked here: the slider clamps the volume, and start-up replaces
// a piece number outside the catalogue.

namespace {

constexpr auto kWindowSection = u"Window";
constexpr auto kSoundSection = u"SaundSeting";

}  // namespace

void TForm1::ReadSettings() {
  SpDir = FDocuments.Path();
  const std::u16string folder = SpDir + platform::kPathDelimiter + u"Kalvio";
  if (!FFiles.DirectoryExists(folder)) {
    FFiles.ForceDirectories(folder);
  }
  FIniFileName = folder + platform::kPathDelimiter + u"Kalvio.Ini";
  platform::TIniFile ini(FIniFileName, FProfileStrings);
  SetLeft(ini.ReadInteger(kWindowSection, u"Left", Left()));
  SetTop(ini.ReadInteger(kWindowSection, u"Top", Top()));
  MastarVolumeSeting = ini.ReadInteger(kSoundSection, u"MastarVolume", 40);
  SaundIndex = ini.ReadInteger(kSoundSection, u"SaundIndex", 1);
  RePeatChek.SetChecked(ini.ReadBool(kSoundSection, u"Repeat", false));
}

// All keys go to the file in one change where the system allows it. A refused write raises
// "<file> に書き込めません"; the keys after it are not written. A volume lowered by the fade-out is
// never stored: the file keeps the earlier one.
void TForm1::WriteSettings() {
  platform::TIniFile ini(FIniFileName, FProfileStrings);
  ini.BeginUpdate();
  ini.WriteInteger(kWindowSection, u"Left", Left());
  ini.WriteInteger(kWindowSection, u"Top", Top());
  if (!AutFaseOutCheckBox.Checked()) {
    ini.WriteInteger(kSoundSection, u"MastarVolume", MastarVolumeSeting);
  }
  ini.WriteInteger(kSoundSection, u"SaundIndex", FOpenPiece);
  ini.WriteBool(kSoundSection, u"Repeat", RePeatChek.Checked());
  ini.UpdateFile();
}
