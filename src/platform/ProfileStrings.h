#pragma once

#include <string>

namespace platform {

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
};

ProfileStrings& SystemProfileStrings();

}  // namespace platform
