#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "TempFolder.h"
#include "rtl/Exception.h"

namespace {

namespace fs = std::filesystem;
using platform::SystemFileSystem;

void WriteAll(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::byte> Bytes(const std::string& text) {
  std::vector<std::byte> bytes;
  for (const char c : text) {
    bytes.push_back(static_cast<std::byte>(c));
  }
  return bytes;
}

TEST(FileSystem, WritesContentByteForByteAndTruncatesOlderContent) {
  TempFolder temp;
  const auto file = temp / "test.mid";
  const std::string all(256, '\0');
  std::string content;
  for (int i = 0; i < 256; ++i) {
    content += static_cast<char>(i);
  }
  WriteAll(file, std::string(10000, 'x'));
  SystemFileSystem().WriteNewContent(TempFolder::Text(file), Bytes(content));
  EXPECT_EQ(TempFolder::Contents(file), content);
}

TEST(FileSystem, RefusesToWriteThroughPlantedLinks) {
  TempFolder temp;
  const auto victim = temp / "victim.txt";
  WriteAll(victim, "precious");
  const auto symlink = temp / "symlink.mid";
  const auto hardlink = temp / "hardlink.mid";
  fs::create_symlink(victim, symlink);
  fs::create_hard_link(victim, hardlink);
  for (const auto& planted : {symlink, hardlink}) {
    SCOPED_TRACE(planted.string());
    try {
      SystemFileSystem().WriteNewContent(TempFolder::Text(planted), Bytes("MThd"));
      ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message().rfind(
                    u"ファイル \"" + TempFolder::Text(planted) + u"\" を作成できません。", 0),
                0u);
      EXPECT_GT(error.Message().size(), TempFolder::Text(planted).size() + 16);
    }
  }
  EXPECT_EQ(TempFolder::Contents(victim), "precious");
}

TEST(FileSystem, ReportsAFileThatCannotBeCreated) {
  TempFolder temp;
  const auto file = temp / "missing-folder" / "test.mid";
  EXPECT_THROW(SystemFileSystem().WriteNewContent(TempFolder::Text(file), Bytes("x")), Exception);
}

TEST(FileSystem, CreatesTestsAndRemovesFoldersAndFiles) {
  TempFolder temp;
  auto& files = SystemFileSystem();
  const auto nested = TempFolder::Text(temp / "a" / "b" / "test");
  EXPECT_FALSE(files.DirectoryExists(nested));
  EXPECT_TRUE(files.ForceDirectories(nested));
  EXPECT_TRUE(files.DirectoryExists(nested));
  EXPECT_TRUE(files.ForceDirectories(nested));  // already there

  const auto file = nested + u"/test.mid";
  EXPECT_FALSE(files.FileExists(file));
  files.WriteNewContent(file, Bytes("MThd"));
  EXPECT_TRUE(files.FileExists(file));
  EXPECT_FALSE(files.FileExists(nested));  // a folder is not a file
  EXPECT_FALSE(files.RemoveDir(nested));   // not empty
  EXPECT_TRUE(files.RemoveFile(file));
  EXPECT_FALSE(files.RemoveFile(file));
  EXPECT_TRUE(files.RemoveDir(nested));
  EXPECT_FALSE(files.DirectoryExists(nested));
}

}  // namespace
