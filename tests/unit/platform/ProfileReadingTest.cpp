#include <gtest/gtest.h>

#include <fstream>

#include "TempFolder.h"
#include "platform/IniFile.h"

namespace {

using platform::TIniFile;

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

}  // namespace
