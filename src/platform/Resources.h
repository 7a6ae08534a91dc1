#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace platform {

enum class ResourceType { RcData, Bitmap, Icon };

// Resources built into the running executable.
class Resources {
 public:
  virtual ~Resources() = default;
  // The content of the resource, byte for byte as the file it was built from: bitmaps come as
  // complete .bmp files and icons as .ico files. Names compare without regard to case. Throws
  // Exception "<name> リソースが見つかりません" when there is no such resource of that type.
  virtual std::vector<std::byte> Load(std::u16string_view name, ResourceType type) = 0;
};

Resources& SystemResources();

}  // namespace platform
