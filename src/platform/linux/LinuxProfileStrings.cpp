#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/ProfileStrings.h"
#include "platform/linux/ProfileText.h"
#include "rtl/TextConversion.h"

namespace platform {
namespace {

std::optional<std::string> ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(in), {});
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

// A new file beside the old one, flushed, then renamed over it: a crash or a full disk midway
// leaves the old file whole. A symbolic link is written through to its target.
bool ReplaceFile(const std::string& path, const std::string& text) {
  std::string target = path;
  if (char resolved[PATH_MAX]; ::realpath(path.c_str(), resolved) != nullptr) {
    target = resolved;
  }
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  // A read-only file stays as it is, as the system's profile functions leave it.
  if (exists && ::access(target.c_str(), W_OK) != 0) {
    return false;
  }
  std::string temporary = target + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    return false;
  }
  const bool written = ::fchmod(fd, exists ? old.st_mode & 07777 : 0644) == 0 &&
                       WriteAll(fd, text) && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

class LinuxProfileStrings final : public ProfileStrings {
 public:
  std::u16string Read(const std::u16string& file, const std::u16string& section,
                      const std::u16string& key, const std::u16string& fallback) override {
    const auto text = ReadWhole(Utf16ToUtf8(file));
    if (!text) {
      return fallback;
    }
    const auto value = ProfileValue(*text, Utf16ToUtf8(section), Utf16ToUtf8(key));
    return value ? Utf8ToUtf16(*value) : fallback;
  }

  bool Write(const std::u16string& file, const std::u16string& section, const std::u16string& key,
             const std::u16string& value) override {
    const std::string path = Utf16ToUtf8(file);
    const std::string text = ReadWhole(path).value_or("");
    return ReplaceFile(
        path, WithProfileValue(text, Utf16ToUtf8(section), Utf16ToUtf8(key), Utf16ToUtf8(value)));
  }
};

}  // namespace

ProfileStrings& SystemProfileStrings() {
  static LinuxProfileStrings strings;
  return strings;
}

}  // namespace platform
