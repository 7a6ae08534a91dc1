#include "platform/linux/ProfileText.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "TempFolder.h"
#include "platform/IniFile.h"

namespace {

namespace fs = std::filesystem;

// A write changes the line of its key, or adds one, and keeps every other byte.
TEST(ProfileText, AWriteChangesOnlyItsKeysLine) {
  struct Case {
    const char* name;
    std::string before;
    std::string after;  // once SaundIndex of [SaundSeting] is set to 7
  };
  const Case cases[] = {
      {"empty file", "", "[SaundSeting]\nSaundIndex=7\n"},
      {"comments, junk and other sections kept",
       "; mine\n[Window]\nLeft=3\n\njunk\n[SaundSeting]\nRepeat=1\nSaundIndex=2 ; old\n[X]\nY=1\n",
       "; mine\n[Window]\nLeft=3\n\njunk\n[SaundSeting]\nRepeat=1\nSaundIndex=7\n[X]\nY=1\n"},
      {"names in another case", "[saundseting]\nSAUNDINDEX = \"2\"\n",
       "[saundseting]\nSAUNDINDEX=7\n"},
      {"only the first of two keys", "[SaundSeting]\nSaundIndex=2\nSaundIndex=3\n",
       "[SaundSeting]\nSaundIndex=7\nSaundIndex=3\n"},
      {"a new key after the section's last line", "[SaundSeting]\nRepeat=1\n\n[Window]\nLeft=1\n",
       "[SaundSeting]\nRepeat=1\nSaundIndex=7\n\n[Window]\nLeft=1\n"},
      {"a missing section appended", "[Window]\nLeft=1",
       "[Window]\nLeft=1\n[SaundSeting]\nSaundIndex=7\n"},
      {"no final newline kept", "[SaundSeting]\nRepeat=1", "[SaundSeting]\nRepeat=1\nSaundIndex=7"},
      {"CRLF lines", "[SaundSeting]\r\nSaundIndex=2\r\nRepeat=1\r\n",
       "[SaundSeting]\r\nSaundIndex=7\r\nRepeat=1\r\n"},
      {"CRLF for a new section", "[Window]\r\nLeft=1\r\n",
       "[Window]\r\nLeft=1\r\n[SaundSeting]\r\nSaundIndex=7\r\n"},
      {"byte order mark", "\xEF\xBB\xBF[SaundSeting]\nSaundIndex=2\n",
       "\xEF\xBB\xBF[SaundSeting]\nSaundIndex=7\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string after =
        platform::WithProfileValue(c.before, "SaundSeting", "SaundIndex", "7");
    EXPECT_EQ(after, c.after);
    EXPECT_EQ(platform::ProfileValue(after, "SaundSeting", "SaundIndex"), "7");
  }
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The file is replaced whole, never rewritten in place, and a link is written through.
TEST(ProfileText, TheFileIsReplacedAtomicallyAndALinkWrittenThrough) {
  TempFolder temp;
  const auto real = temp / "real.ini";
  const auto link = temp / "Kalvio.Ini";
  std::ofstream(real, std::ios::binary) << "; kept\n[Window]\nLeft=1\n";
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(real, link);
  struct stat before {};
  ASSERT_EQ(::stat(real.c_str(), &before), 0);

  platform::TIniFile(TempFolder::Text(link)).WriteInteger(u"Window", u"Left", 5);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadAll(real), "; kept\n[Window]\nLeft=5\n");
  struct stat after {};
  ASSERT_EQ(::stat(real.c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino);  // a new file renamed over the old one
  EXPECT_EQ(after.st_mode & 0777, before.st_mode & 0777);
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 2);
}

}  // namespace
