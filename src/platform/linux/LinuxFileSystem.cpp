#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/FileSystem.h"
#include "platform/linux/FileDescriptor.h"
#include "rtl/Exception.h"
#include "rtl/TextConversion.h"

namespace platform {
namespace {

std::filesystem::path NativePath(const std::u16string& path) {
  return std::filesystem::path(Utf16ToUtf8(path));
}

[[noreturn]] void ThrowCreateError(const std::u16string& path, int error) {
  throw Exception(u"ファイル \"" + path + u"\" を作成できません。" +
                  Utf8ToUtf16(std::strerror(error)));
}

class LinuxFileSystem final : public FileSystem {
 public:
  bool DirectoryExists(const std::u16string& path) override {
    std::error_code error;
    return std::filesystem::is_directory(NativePath(path), error);
  }

  bool ForceDirectories(const std::u16string& path) override {
    std::error_code error;
    std::filesystem::create_directories(NativePath(path), error);
    return !error && DirectoryExists(path);
  }

  bool FileExists(const std::u16string& path) override {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(NativePath(path), error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
  }

  bool RemoveFile(const std::u16string& path) override {
    return ::unlink(NativePath(path).c_str()) == 0;
  }

  bool RemoveDir(const std::u16string& path) override {
    return ::rmdir(NativePath(path).c_str()) == 0;
  }

  void WriteNewContent(const std::u16string& path, std::span<const std::byte> content) override {
    // No O_TRUNC here: the file is checked before anything in it changes. O_NONBLOCK: opening a
    // FIFO planted there would otherwise wait for a reader for ever.
    FileDescriptor file(::open(NativePath(path).c_str(),
                               O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644));
    if (file.Get() < 0) {
      ThrowCreateError(path, errno);
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
      ThrowCreateError(path, errno);
    }
    // A hard link would make the truncation reach another name's content; a FIFO, socket or
    // device is no file to hold a piece.
    if (!S_ISREG(info.st_mode) || info.st_nlink != 1) {
      ThrowCreateError(path, EPERM);
    }
    if (::ftruncate(file.Get(), 0) != 0) {
      ThrowCreateError(path, errno);
    }
    const auto* data = reinterpret_cast<const char*>(content.data());
    std::size_t remaining = content.size();
    while (remaining > 0) {
      const ssize_t written = ::write(file.Get(), data, remaining);
      if (written < 0 && errno == EINTR) {
        continue;
      }
      if (written <= 0) {
        ThrowCreateError(path, written < 0 ? errno : EIO);
      }
      data += written;
      remaining -= static_cast<std::size_t>(written);
    }
    if (!file.Close()) {
      ThrowCreateError(path, errno);
    }
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static LinuxFileSystem fileSystem;
  return fileSystem;
}

}  // namespace platform
