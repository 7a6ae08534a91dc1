#include "MessageLog.h"

#include <windows.h>

#include <array>
#include <mutex>
#include <string>

namespace midi_output {
namespace {

std::mutex logMutex;

std::wstring LogPath() {
  std::array<wchar_t, MAX_PATH> path{};
  const DWORD length = GetEnvironmentVariableW(L"KALVIO_MIDI_LOG", path.data(), path.size());
  return length > 0 && length < path.size() ? std::wstring(path.data(), length) : std::wstring();
}

void AppendLine(const std::string& text) {
  static const std::wstring path = LogPath();
  if (path.empty()) {
    return;
  }
  const std::string line = std::to_string(GetTickCount()) + ' ' + text + '\n';
  const std::lock_guard lock(logMutex);
  const HANDLE file =
      CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return;
  }
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

void LogBytes(const std::uint8_t* bytes, std::size_t size) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(size * 3);
  for (std::size_t i = 0; i < size; ++i) {
    if (i > 0) {
      text += ' ';
    }
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0x0F];
  }
  AppendLine(text);
}

void LogEvent(std::string_view event) {
  AppendLine(std::string(event));
}

}  // namespace midi_output
