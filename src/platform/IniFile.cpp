#include "platform/IniFile.h"

#include <utility>

#include "rtl/Exception.h"
#include "rtl/IntToStr.h"
#include "rtl/StrToIntDef.h"

namespace platform {
namespace {

// The system reads values through a fixed buffer; longer values arrive cut to it.
constexpr std::size_t kValueBufferChars = 2048;

[[noreturn]] void ThrowWriteRefused(const std::u16string& file) {
  throw Exception(file + u" に書き込めません");
}

}  // namespace

TIniFile::TIniFile(std::u16string fileName, ProfileStrings& strings)
    : FFileName(std::move(fileName)), FStrings(strings) {}

std::u16string TIniFile::ReadString(const std::u16string& section, const std::u16string& key,
                                    const std::u16string& fallback) {
  std::u16string value = FStrings.Read(FFileName, section, key, fallback);
  if (value.size() > kValueBufferChars - 1) {
    value.resize(kValueBufferChars - 1);
  }
  return value;
}

std::int32_t TIniFile::ReadInteger(const std::u16string& section, const std::u16string& key,
                                   std::int32_t fallback) {
  return StrToIntDef(ReadString(section, key, u""), fallback);
}

bool TIniFile::ReadBool(const std::u16string& section, const std::u16string& key, bool fallback) {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::u16string& section, const std::u16string& key,
                           const std::u16string& value) {
  if (FHeld) {
    FHeld->push_back({section, key, value});
  } else if (!FStrings.Write(FFileName, section, key, value)) {
    ThrowWriteRefused(FFileName);
  }
}

void TIniFile::WriteInteger(const std::u16string& section, const std::u16string& key,
                            std::int32_t value) {
  WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteBool(const std::u16string& section, const std::u16string& key, bool value) {
  WriteString(section, key, value ? u"1" : u"0");
}

void TIniFile::BeginUpdate() {
  FHeld.emplace();
}

void TIniFile::UpdateFile() {
  const std::vector<ProfileEntry> held =
      std::exchange(FHeld, std::nullopt).value_or(std::vector<ProfileEntry>{});
  if (!FStrings.WriteAll(FFileName, held)) {
    ThrowWriteRefused(FFileName);
  }
}

}  // namespace platform
