#include "platform/linux/ProfileFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "platform/linux/FileDescriptor.h"

namespace platform {
namespace {

// Longer chains of links are refused, as the system refuses them on open.
constexpr int kMostLinksFollowed = 40;
// The characters mkostemp fills in at the end of a temporary's name.
constexpr std::string_view kRandomPart = "XXXXXX";

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Where a chain of symbolic links ends, whether a file is there or not. Nothing for a loop.
std::optional<std::string> LinkTarget(std::string path) {
  for (int followed = 0; followed <= kMostLinksFollowed; ++followed) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
    if (length < 0) {
      return path;  // no link (or nothing at all) here
    }
    if (static_cast<std::size_t>(length) == sizeof target) {
      return std::nullopt;
    }
    const std::string_view next(target, static_cast<std::size_t>(length));
    path = next.starts_with('/') ? std::string(next) : FolderOf(path) + "/" + std::string(next);
  }
  return std::nullopt;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

// A temporary is hidden, so that no name a user gives a copy of the file ("Kalvio.Ini.backup")
// is ever taken for one.
std::string TemporaryPrefix(const std::string& fileName) {
  return "." + fileName + ".";
}

bool IsTemporaryName(std::string_view name, const std::string& fileName) {
  const std::string prefix = TemporaryPrefix(fileName);
  if (name.size() != prefix.size() + kRandomPart.size() || !name.starts_with(prefix)) {
    return false;
  }
  for (const char c : name.substr(prefix.size())) {
    if (!(c >= '0' && c <= '9') && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z')) {
      return false;
    }
  }
  return true;
}

// A write killed between the temporary's creation and its rename leaves it behind.
void RemoveLeftoverTemporaries(const std::string& target) {
  DIR* folder = ::opendir(FolderOf(target).c_str());
  if (folder == nullptr) {
    return;
  }
  const std::string fileName = NameOf(target);
  while (const dirent* entry = ::readdir(folder)) {
    struct stat leftover {};
    if (IsTemporaryName(entry->d_name, fileName) &&
        ::fstatat(::dirfd(folder), entry->d_name, &leftover, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(leftover.st_mode)) {
      ::unlinkat(::dirfd(folder), entry->d_name, 0);
    }
  }
  ::closedir(folder);
}

// The rename is only durable once the folder's entry is on disk.
bool SyncFolder(const std::string& folder) {
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Some file systems cannot sync a folder: they keep no entry to sync.
  return fd.Get() >= 0 && (::fsync(fd.Get()) == 0 || errno == EINVAL);
}

}  // namespace

std::optional<std::string> ReadProfileFile(const std::string& path) {
  // Not blocking: a FIFO in the file's place must not hold the program up.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.Get() < 0) {
    return errno == ENOENT ? std::optional<std::string>("") : std::nullopt;
  }
  struct stat file {};
  if (::fstat(fd.Get(), &file) != 0 || !S_ISREG(file.st_mode)) {
    return std::nullopt;
  }
  std::string text;
  char buffer[8192];
  for (;;) {
    const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return std::nullopt;
    }
    if (got == 0) {
      return text;
    }
    text.append(buffer, static_cast<std::size_t>(got));
  }
}

bool ReplaceProfileFile(const std::string& path, const std::string& text) {
  const auto target = LinkTarget(path);
  if (!target) {
    return false;
  }
  struct stat old {};
  const bool exists = ::stat(target->c_str(), &old) == 0;
  // A read-only file stays as it is, as the system's profile functions leave it.
  if (exists && ::access(target->c_str(), W_OK) != 0) {
    return false;
  }
  RemoveLeftoverTemporaries(*target);
  const std::string folder = FolderOf(*target);
  std::string temporary =
      folder + "/" + TemporaryPrefix(NameOf(*target)) + std::string(kRandomPart);
  FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
  if (fd.Get() < 0) {
    return false;
  }
  const bool written = ::fchmod(fd.Get(), exists ? old.st_mode & 07777 : 0644) == 0 &&
                       WriteAll(fd.Get(), text) && ::fsync(fd.Get()) == 0;
  if (!fd.Close() || !written || ::rename(temporary.c_str(), target->c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return SyncFolder(folder);
}

}  // namespace platform
