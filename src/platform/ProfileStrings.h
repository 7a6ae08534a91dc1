#pragma once

#include <span>
#include <string>

namespace platform {

struct ProfileEntry {
  std::u16string section;
  std::u16string key;
  std::u16string value;
};

// Keyed strings in INI (profile) files, as the system keeps them: each write goes to the file at
// once; other sections, keys and lines are kept.
class ProfileStrings {
 public:
  virtual ~ProfileStrings() = default;
  // The value, or `fallback` when the file, section or key is missing.
  virtual std::u16string Read(const std::u16string& file, const std::u16string& section,
                              const std::u16string& key, const std::u16string& fallback) = 0;
  // False when the file cannot be written (folder missing, no permission, read-only file).
  virtual bool Write(const std::u16string& file, const std::u16string& section,
                     const std::u16string& key, const std::u16string& value) = 0;
  // The entries in order, in one change of the file where the system allows it. Here, as the
  // system's own profile functions do, one by one: false at the first refused, the rest unwritten.
  virtual bool WriteAll(const std::u16string& file, std::span<const ProfileEntry> entries);
};

ProfileStrings& SystemProfileStrings();

}  // namespace platform
