#include "platform/ProfileStrings.h"

namespace platform {

bool ProfileStrings::WriteAll(const std::u16string& file, std::span<const ProfileEntry> entries) {
  for (const ProfileEntry& entry : entries) {
    if (!Write(file, entry.section, entry.key, entry.value)) {
      return false;
    }
  }
  return true;
}

}  // namespace platform
