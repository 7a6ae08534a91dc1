// The settings file on disk: what cannot be read is never replaced, links are written through,
// and a write leaves exactly one new file behind, made in one step.

#include "platform/linux/ProfileFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <set>

#include "TempFolder.h"
#include "platform/IniFile.h"
#include "rtl/Exception.h"

namespace {

namespace fs = std::filesystem;
using platform::TIniFile;

std::set<std::string> NamesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Root reads every file; on this thread, for its life, the permissions count as for a user.
class PermissionsObeyed {
 public:
  PermissionsObeyed() {
    if (::geteuid() != 0) {
      return;
    }
    ::syscall(SYS_capget, &FHeader, FSaved);
    __user_cap_data_struct reduced[2] = {FSaved[0], FSaved[1]};
    reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    FReduced = ::syscall(SYS_capset, &FHeader, reduced) == 0;
  }
  ~PermissionsObeyed() {
    if (FReduced) {
      ::syscall(SYS_capset, &FHeader, FSaved);
    }
  }
  PermissionsObeyed(const PermissionsObeyed&) = delete;
  PermissionsObeyed& operator=(const PermissionsObeyed&) = delete;

 private:
  __user_cap_header_struct FHeader{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct FSaved[2]{};
  bool FReduced = false;
};

// What stands where the settings file is expected, made in `folder`.
struct Planted {
  const char* name;
  std::function<void(const fs::path& folder)> make;
};

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

const std::string kStored = "[SaundSeting]\nSaundIndex=5\nMastarVolume=70\n";

std::vector<Planted> UnreadableFiles() {
  return {
      {"a file without read permission",
       [](const fs::path& folder) {
         WriteFile(folder / "Kalvio.Ini", kStored);
         fs::permissions(folder / "Kalvio.Ini", fs::perms::owner_write);
       }},
      {"a link to a file without read permission",
       [](const fs::path& folder) {
         WriteFile(folder / "real.ini", kStored);
         fs::permissions(folder / "real.ini", fs::perms::owner_write);
         fs::create_symlink("real.ini", folder / "Kalvio.Ini");
       }},
      {"a folder", [](const fs::path& folder) { fs::create_directory(folder / "Kalvio.Ini"); }},
      {"a FIFO", [](const fs::path& folder) { ::mkfifo((folder / "Kalvio.Ini").c_str(), 0644); }},
      {"a link that loops",
       [](const fs::path& folder) { fs::create_symlink("Kalvio.Ini", folder / "Kalvio.Ini"); }},
  };
}

// Each write of the exit, one at a time or all at once, is refused with the write error, and
// whatever stood there is left as it was, with nothing new beside it.
TEST(ProfileFile, AFileThatCannotBeReadIsNeverReplaced) {
  for (const Planted& planted : UnreadableFiles()) {
    for (const bool batch : {false, true}) {
      SCOPED_TRACE(std::string(planted.name) + (batch ? ", all keys at once" : ", one key"));
      TempFolder temp;
      planted.make(temp.Path());
      const auto path = temp / "Kalvio.Ini";
      const auto before = NamesIn(temp.Path());
      struct stat old {};
      ::lstat(path.c_str(), &old);

      const PermissionsObeyed asAUser;
      TIniFile ini(TempFolder::Text(path));
      try {
        if (batch) {
          ini.BeginUpdate();
          ini.WriteInteger(u"Window", u"Left", 3);
          ini.WriteInteger(u"SaundSeting", u"SaundIndex", 9);
          ini.UpdateFile();
        } else {
          ini.WriteInteger(u"SaundSeting", u"SaundIndex", 9);
        }
        ADD_FAILURE() << "no error";
      } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), TempFolder::Text(path) + u" に書き込めません");
      }
      struct stat now {};
      ::lstat(path.c_str(), &now);
      EXPECT_EQ(now.st_ino, old.st_ino);
      EXPECT_EQ(now.st_mode, old.st_mode);
      EXPECT_EQ(NamesIn(temp.Path()), before);
      if (fs::exists(temp / "real.ini")) {
        fs::permissions(temp / "real.ini", fs::perms::owner_read, fs::perm_options::add);
        EXPECT_EQ(TempFolder::Contents(temp / "real.ini"), kStored);
      }
    }
  }
}

TEST(ProfileFile, ReadingTellsAMissingFileFromOneThatCannotBeRead) {
  TempFolder temp;
  fs::create_symlink("nowhere.ini", temp / "dangling.ini");
  EXPECT_EQ(platform::ReadProfileFile((temp / "missing.ini").string()), "");
  EXPECT_EQ(platform::ReadProfileFile((temp / "dangling.ini").string()), "");
  // A regular file whose first read fails: the kernel refuses to read address 0.
  EXPECT_EQ(platform::ReadProfileFile("/proc/self/mem"), std::nullopt);
  for (const Planted& planted : UnreadableFiles()) {
    SCOPED_TRACE(planted.name);
    TempFolder folder;
    planted.make(folder.Path());
    const PermissionsObeyed asAUser;
    EXPECT_EQ(platform::ReadProfileFile((folder / "Kalvio.Ini").string()), std::nullopt);
  }
}

// A link whose file is missing is written through: the file appears where the link points.
TEST(ProfileFile, ADanglingLinkIsWrittenThrough) {
  struct Case {
    const char* name;
    std::function<void(const fs::path& folder)> link;
    const char* target;  // in the folder
  };
  const Case cases[] = {
      {"absolute",
       [](const fs::path& folder) {
         fs::create_symlink(folder / "real.ini", folder / "Kalvio.Ini");
       },
       "real.ini"},
      {"relative, into a subfolder",
       [](const fs::path& folder) {
         fs::create_directory(folder / "sub");
         fs::create_symlink("sub/real.ini", folder / "Kalvio.Ini");
       },
       "sub/real.ini"},
      {"through a second link",
       [](const fs::path& folder) {
         fs::create_symlink("second", folder / "Kalvio.Ini");
         fs::create_symlink("real.ini", folder / "second");
       },
       "real.ini"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder temp;
    c.link(temp.Path());
    TIniFile(TempFolder::Text(temp / "Kalvio.Ini")).WriteInteger(u"SaundSeting", u"SaundIndex", 9);
    EXPECT_TRUE(fs::is_symlink(temp / "Kalvio.Ini"));
    EXPECT_EQ(TempFolder::Contents(temp / c.target), "[SaundSeting]\nSaundIndex=9\n");
    EXPECT_EQ(fs::status(temp / c.target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
  }
}

// A write killed before its rename leaves its temporary; the next write removes it, and only it.
TEST(ProfileFile, ALeftoverTemporaryIsRemovedAtTheNextWrite) {
  TempFolder temp;
  const auto path = temp / "Kalvio.Ini";
  WriteFile(path, kStored);
  TIniFile(TempFolder::Text(path)).WriteInteger(u"SaundSeting", u"SaundIndex", 6);
  EXPECT_EQ(NamesIn(temp.Path()), std::set<std::string>{"Kalvio.Ini"});

  WriteFile(temp / ".Kalvio.Ini.x7Qb2Z", "[SaundSeting]\nSaund");  // cut off by the kill
  const std::set<std::string> kept = {"Kalvio.Ini",        "Kalvio.Ini.backup",
                                      ".Kalvio.Ini.old",   ".Kalvio.Ini.ab-cd1",
                                      ".Other.Ini.x7Qb2Z", ".Kalvio.Ini.x7Qb2Z7"};
  for (const auto& name : kept) {
    if (name != "Kalvio.Ini") {
      WriteFile(temp / name, "mine");
    }
  }
  TIniFile(TempFolder::Text(path)).WriteInteger(u"SaundSeting", u"SaundIndex", 7);
  EXPECT_EQ(NamesIn(temp.Path()), kept);
  EXPECT_EQ(TempFolder::Contents(path), "[SaundSeting]\nSaundIndex=7\nMastarVolume=70\n");
}

// The keys of one update reach the file in one rename, as the same bytes the writes one at a
// time give.
TEST(ProfileFile, AnUpdateReplacesTheFileOnce) {
  TempFolder temp;
  const auto path = temp / "Kalvio.Ini";
  const std::string stored = "; mine\r\n[SaundSeting]\r\nRepeat=1\r\n";
  WriteFile(path, stored);
  WriteFile(temp / "one-by-one.ini", stored);

  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, temp.Path().c_str(), IN_MOVED_TO), 0);
  TIniFile ini(TempFolder::Text(path));
  TIniFile oneByOne(TempFolder::Text(temp / "one-by-one.ini"));
  ini.BeginUpdate();
  for (TIniFile* file : {&ini, &oneByOne}) {
    file->WriteInteger(u"Window", u"Left", -4);
    file->WriteInteger(u"Window", u"Top", 30);
    file->WriteInteger(u"SaundSeting", u"MastarVolume", 55);
    file->WriteInteger(u"SaundSeting", u"SaundIndex", 12);
    file->WriteBool(u"SaundSeting", u"Repeat", false);
  }
  EXPECT_EQ(TempFolder::Contents(path), stored);  // held until the update
  ini.UpdateFile();

  int renamesOfTheFile = 0;
  alignas(inotify_event) char events[4096];
  for (ssize_t got; (got = ::read(watch, events, sizeof events)) > 0;) {
    for (char* at = events; at < events + got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      renamesOfTheFile += std::string(event->name) == "Kalvio.Ini";
      at += sizeof(inotify_event) + event->len;
    }
  }
  ::close(watch);
  EXPECT_EQ(renamesOfTheFile, 1);
  EXPECT_EQ(TempFolder::Contents(path), TempFolder::Contents(temp / "one-by-one.ini"));
  EXPECT_EQ(TempFolder::Contents(path),
            "; mine\r\n[SaundSeting]\r\nRepeat=0\r\nMastarVolume=55\r\nSaundIndex=12\r\n"
            "[Window]\r\nLeft=-4\r\nTop=30\r\n");
}

}  // namespace
