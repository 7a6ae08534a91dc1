#include "platform/ProfileStrings.h"
#include "platform/linux/ProfileFile.h"
#include "platform/linux/ProfileText.h"
#include "rtl/TextConversion.h"

namespace platform {
namespace {

class LinuxProfileStrings final : public ProfileStrings {
 public:
  std::u16string Read(const std::u16string& file, const std::u16string& section,
                      const std::u16string& key, const std::u16string& fallback) override {
    const auto text = ReadProfileFile(Utf16ToUtf8(file));
    if (!text) {
      return fallback;
    }
    const auto value = ProfileValue(*text, Utf16ToUtf8(section), Utf16ToUtf8(key));
    return value ? Utf8ToUtf16(*value) : fallback;
  }

  bool Write(const std::u16string& file, const std::u16string& section, const std::u16string& key,
             const std::u16string& value) override {
    const ProfileEntry entry{section, key, value};
    return WriteAll(file, {&entry, 1});
  }

  // A file that exists but cannot be read is never replaced: its settings would be lost.
  bool WriteAll(const std::u16string& file, std::span<const ProfileEntry> entries) override {
    const std::string path = Utf16ToUtf8(file);
    auto text = ReadProfileFile(path);
    if (!text) {
      return false;
    }
    for (const ProfileEntry& entry : entries) {
      *text = WithProfileValue(*text, Utf16ToUtf8(entry.section), Utf16ToUtf8(entry.key),
                               Utf16ToUtf8(entry.value));
    }
    return ReplaceProfileFile(path, *text);
  }
};

}  // namespace

ProfileStrings& SystemProfileStrings() {
  static LinuxProfileStrings strings;
  return strings;
}

}  // namespace platform
