#include <algorithm>

#include "platform/ResourceNotFound.h"
#include "platform/Resources.h"
#include "platform/linux/EmbeddedResource.h"

namespace platform {
namespace {

char16_t AsciiUpper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// Resource names are ASCII; like the Windows loader, only ASCII letters fold.
bool SameName(std::u16string_view wanted, std::string_view stored) {
  return std::ranges::equal(wanted, stored, [](char16_t a, char b) {
    return AsciiUpper(a) == AsciiUpper(static_cast<unsigned char>(b));
  });
}

class LinuxResources final : public Resources {
 public:
  std::vector<std::byte> Load(std::u16string_view name, ResourceType type) override {
    for (const EmbeddedResource& resource : EmbeddedResources()) {
      if (resource.type == type && SameName(name, resource.name)) {
        const auto* begin = reinterpret_cast<const std::byte*>(resource.data);
        return {begin, begin + resource.size};
      }
    }
    ThrowResourceNotFound(name);
  }
};

}  // namespace

Resources& SystemResources() {
  static LinuxResources resources;
  return resources;
}

}  // namespace platform
