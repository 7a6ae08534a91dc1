#include "platform/DocumentsFolder.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <fstream>

#include "TempFolder.h"

namespace {

// The XDG user dirs name the documents folder; without a trailing separator.
TEST(DocumentsFolder, FollowsTheUserDirs) {
  TempFolder temp;
  std::filesystem::create_directories(temp / "config");
  std::ofstream(temp / "config" / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente/\"\n";
  ::setenv("HOME", temp.Path().c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (temp / "config").c_str(), 1);
  EXPECT_EQ(platform::SystemDocumentsFolder().Path(), TempFolder::Text(temp / "Dokumente"));
}

}  // namespace
