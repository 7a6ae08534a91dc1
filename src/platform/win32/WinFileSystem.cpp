#include "platform/FileSystem.h"

#include <windows.h>

#include <string>

#include "rtl/Exception.h"

namespace platform {
namespace {

const wchar_t* Native(const std::u16string& path) {
  return reinterpret_cast<const wchar_t*>(path.c_str());
}

std::u16string SystemReason(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string reason(reinterpret_cast<const char16_t*>(text), length);
  LocalFree(text);
  while (!reason.empty() && (reason.back() == u'\r' || reason.back() == u'\n')) {
    reason.pop_back();
  }
  return reason;
}

class WinFileSystem final : public FileSystem {
 public:
  bool DirectoryExists(const std::u16string& path) override {
    const DWORD attributes = GetFileAttributesW(Native(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  bool ForceDirectories(const std::u16string& path) override {
    if (path.empty() || DirectoryExists(path)) {
      return !path.empty();
    }
    const auto separator = path.find_last_of(u"\\/");
    if (separator != std::u16string::npos && separator > 0 && path[separator - 1] != u':') {
      ForceDirectories(path.substr(0, separator));
    }
    return CreateDirectoryW(Native(path), nullptr) != 0 || DirectoryExists(path);
  }

  bool FileExists(const std::u16string& path) override {
    const DWORD attributes = GetFileAttributesW(Native(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  bool RemoveFile(const std::u16string& path) override { return DeleteFileW(Native(path)) != 0; }

  bool RemoveDir(const std::u16string& path) override {
    return RemoveDirectoryW(Native(path)) != 0;
  }

  void WriteNewContent(const std::u16string& path, std::span<const std::byte> content) override {
    // A planted reparse point (symbolic link or junction) is opened itself, never followed.
    HANDLE file = CreateFileW(Native(path), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      ThrowCreateError(path, GetLastError());
    }
    BY_HANDLE_FILE_INFORMATION info{};
    DWORD error = ERROR_SUCCESS;
    if (!GetFileInformationByHandle(file, &info)) {
      error = GetLastError();
    } else if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
               info.nNumberOfLinks != 1) {
      error = ERROR_ACCESS_DENIED;
    } else if (!SetEndOfFile(file)) {
      error = GetLastError();
    }
    const auto* data = reinterpret_cast<const char*>(content.data());
    std::size_t remaining = content.size();
    while (error == ERROR_SUCCESS && remaining > 0) {
      DWORD written = 0;
      const auto chunk = static_cast<DWORD>(remaining > 1u << 30 ? 1u << 30 : remaining);
      if (!WriteFile(file, data, chunk, &written, nullptr)) {
        error = GetLastError();
      }
      data += written;
      remaining -= written;
    }
    CloseHandle(file);
    if (error != ERROR_SUCCESS) {
      ThrowCreateError(path, error);
    }
  }

 private:
  [[noreturn]] static void ThrowCreateError(const std::u16string& path, DWORD error) {
    throw Exception(u"ファイル \"" + path + u"\" を作成できません。" + SystemReason(error));
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static WinFileSystem fileSystem;
  return fileSystem;
}

}  // namespace platform
