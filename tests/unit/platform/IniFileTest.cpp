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

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(IniFile, WritesEachValueAtOnceAndReadsItBack) {
  TempFolder temp;
  const auto path = temp / "Kalvio.Ini";
  TIniFile ini(TempFolder::Text(path));
  ini.WriteInteger(u"Window", u"Left", -12);
  EXPECT_NE(ReadAll(path).find("Left=-12"), std::string::npos);
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

// What a hand-edited file holds, read as the system's profile functions read it.
TEST(IniFile, ReadsHandWrittenFilesAsTheSystemDoes) {
  struct Case {
    const char* name;
    std::string text;
    std::u16string expected;  // SaundIndex of [SaundSeting], "-" when missing
  };
  const Case cases[] = {
      {"plain", "[SaundSeting]\nSaundIndex=12\n", u"12"},
      {"names in any case", "[saundSETING]\nsaundindex=12\n", u"12"},
      {"the first of two keys", "[SaundSeting]\nSaundIndex=12\nSaundIndex=13\n", u"12"},
      {"spaces around", "[ SaundSeting ]\n  SaundIndex  =  12  \n", u"12"},
      {"double quotes", "[SaundSeting]\nSaundIndex=\"12\"\n", u"12"},
      {"single quotes", "[SaundSeting]\nSaundIndex='12'\n", u"12"},
      {"one quote only", "[SaundSeting]\nSaundIndex=\"12\n", u"\"12"},
      {"CRLF lines", "[Window]\r\nLeft=1\r\n[SaundSeting]\r\nSaundIndex=12\r\n", u"12"},
      {"byte order mark", "\xEF\xBB\xBF[SaundSeting]\nSaundIndex=12\n", u"12"},
      {"no final newline", "[SaundSeting]\nSaundIndex=12", u"12"},
      {"comments and junk", "; mine\n[SaundSeting]\njunk line\n;SaundIndex=1\nSaundIndex=12\n",
       u"12"},
      {"in another section", "[Window]\nSaundIndex=12\n", u"-"},
      {"no section", "SaundIndex=12\n", u"-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder temp;
    const auto path = temp / "Kalvio.Ini";
    std::ofstream(path, std::ios::binary) << c.text;
    TIniFile ini(TempFolder::Text(path));
    EXPECT_EQ(ini.ReadString(u"SaundSeting", u"SaundIndex", u"-"), c.expected);
  }
}

TEST(IniFile, KeepsOtherLinesWhenWriting) {
  TempFolder temp;
  const auto path = temp / "Kalvio.Ini";
  std::ofstream(path) << "; written by hand\n[Window]\nLeft=3\n[Other]\nKeep=yes\n";
  TIniFile ini(TempFolder::Text(path));
  ini.WriteInteger(u"window", u"left", 40);
  const std::string text = ReadAll(path);
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
