#include "platform/IniFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "TempFolder.h"
#include "rtl/Exception.h"

namespace {

namespace fs = std::filesystem;
using platform::TIniFile;

TEST(IniFile, WritesEachValueAtOnceAndReadsItBack) {
  TempFolder temp;
  const auto path = temp / "Kalvio.Ini";
  TIniFile ini(TempFolder::Text(path));
  ini.WriteInteger(u"Window", u"Left", -12);
  EXPECT_NE(TempFolder::Contents(path).find("Left=-12"), std::string::npos);
  ini.WriteInteger(u"SaundSeting", u"SaundIndex", 26);
  ini.WriteBool(u"SaundSeting", u"Repeat", true);
  ini.WriteString(u"SaundSeting", u"Title", u"きよしこの夜");
  EXPECT_EQ(ini.ReadInteger(u"Window", u"Left", 0), -12);
  EXPECT_EQ(ini.ReadInteger(u"saundseting", u"SAUNDINDEX", 1), 26);  // names ignore case
  EXPECT_TRUE(ini.ReadBool(u"SaundSeting", u"Repeat", false));
  EXPECT_EQ(ini.ReadString(u"SaundSeting", u"Title", u""), u"きよしこの夜");
}

TEST(IniFile, MissingAndMalformedValuesGiveTheDefault) {
  TempFolder temp;
  const auto path = temp / "Kalvio.Ini";
  std::ofstream(path) << "[SaundSeting]\nSaundIndex=0x1A\nMastarVolume=abc\nRepeat=2\n"
                         "Hex=$1A\nEmpty=\n";
  TIniFile ini(TempFolder::Text(path));
  EXPECT_EQ(ini.ReadInteger(u"SaundSeting", u"SaundIndex", 1), 26);
  EXPECT_EQ(ini.ReadInteger(u"SaundSeting", u"Hex", 1), 26);
  EXPECT_EQ(ini.ReadInteger(u"SaundSeting", u"MastarVolume", 40), 40);
  EXPECT_EQ(ini.ReadInteger(u"SaundSeting", u"Empty", 40), 40);
  EXPECT_EQ(ini.ReadInteger(u"SaundSeting", u"Missing", 40), 40);
  EXPECT_EQ(ini.ReadInteger(u"NoSection", u"SaundIndex", 7), 7);
  EXPECT_TRUE(ini.ReadBool(u"SaundSeting", u"Repeat", false));
  EXPECT_FALSE(ini.ReadBool(u"SaundSeting", u"Missing", false));
  TIniFile missingFile(TempFolder::Text(temp / "none.ini"));
  EXPECT_EQ(missingFile.ReadInteger(u"Window", u"Top", 5), 5);
}

TEST(IniFile, KeepsOtherLinesWhenWriting) {
  TempFolder temp;
  const auto path = temp / "Kalvio.Ini";
  std::ofstream(path) << "; written by hand\n[Window]\nLeft=3\n[Other]\nKeep=yes\n";
  TIniFile ini(TempFolder::Text(path));
  ini.WriteInteger(u"window", u"left", 40);
  const std::string text = TempFolder::Contents(path);
  EXPECT_NE(text.find("; written by hand"), std::string::npos);
  EXPECT_NE(text.find("Keep=yes"), std::string::npos);
  EXPECT_EQ(ini.ReadInteger(u"Window", u"Left", 0), 40);
  EXPECT_LT(text.find("Left"), text.find("[Other]"));
}

TEST(IniFile, ARefusedWriteRaisesWithThePath) {
  TempFolder temp;
  const auto readOnly = temp / "ReadOnly.Ini";
  std::ofstream(readOnly) << "[Window]\nLeft=1\n";
  fs::permissions(readOnly, fs::perms::owner_read);
  const auto inMissingFolder = temp / "missing" / "Kalvio.Ini";
  for (const auto& path : {readOnly, inMissingFolder}) {
    TIniFile ini(TempFolder::Text(path));
    if (path == readOnly && ::access(path.c_str(), W_OK) == 0) {
      continue;  // running as root: permissions do not stop the write
    }
    try {
      ini.WriteInteger(u"Window", u"Left", 2);
      ADD_FAILURE() << "no error for " << path;
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), TempFolder::Text(path) + u" に書き込めません");
    }
  }
}

}  // namespace
