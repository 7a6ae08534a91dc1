#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ProfileStrings.h"

namespace platform {

// Typed access to one settings file through the profile-string service.
class TIniFile {
 public:
  explicit TIniFile(std::u16string fileName, ProfileStrings& strings = SystemProfileStrings());

  const std::u16string& FileName() const { return FFileName; }

  std::u16string ReadString(const std::u16string& section, const std::u16string& key,
                            const std::u16string& fallback);
  // Decimal, "0x"/"$" hex; anything that is no 32-bit integer gives `fallback`.
  std::int32_t ReadInteger(const std::u16string& section, const std::u16string& key,
                           std::int32_t fallback);
  // Any integer other than 0 is true.
  bool ReadBool(const std::u16string& section, const std::u16string& key, bool fallback);

  // Each throws Exception "<file> に書き込めません" when the system refuses the write.
  void WriteString(const std::u16string& section, const std::u16string& key,
                   const std::u16string& value);
  void WriteInteger(const std::u16string& section, const std::u16string& key, std::int32_t value);
  void WriteBool(const std::u16string& section, const std::u16string& key, bool value);

  // The writes from here on are held, and UpdateFile writes them in one change of the file where
  // the system allows it; it throws as a single write does. Reads see the file, not held values.
  void BeginUpdate();
  void UpdateFile();

 private:
  std::u16string FFileName;
  ProfileStrings& FStrings;
  std::optional<std::vector<ProfileEntry>> FHeld;
};

}  // namespace platform
