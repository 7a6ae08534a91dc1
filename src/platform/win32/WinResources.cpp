#include "platform/Resources.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "platform/ResourceNotFound.h"

namespace platform {
namespace {

// The resource's bytes in the loaded module; they stay valid while the module is loaded.
std::optional<std::span<const std::byte>> Find(const wchar_t* name, const wchar_t* type) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, name, type);
  HGLOBAL handle = info != nullptr ? LoadResource(module, info) : nullptr;
  const void* data = handle != nullptr ? LockResource(handle) : nullptr;
  if (data == nullptr) {
    return std::nullopt;
  }
  return std::span{static_cast<const std::byte*>(data), SizeofResource(module, info)};
}

void Append(std::vector<std::byte>& out, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::byte*>(data);
  out.insert(out.end(), bytes, bytes + size);
}

template <typename T>
T Read(std::span<const std::byte> bytes, std::size_t offset) {
  T value{};
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

// A BITMAP resource is the file without its BITMAPFILEHEADER; put the header back.
std::optional<std::vector<std::byte>> BitmapFile(std::span<const std::byte> dib) {
  if (dib.size() < sizeof(BITMAPINFOHEADER)) {
    return std::nullopt;
  }
  const auto header = Read<BITMAPINFOHEADER>(dib, 0);
  DWORD colours = header.biClrUsed;
  if (colours == 0 && header.biBitCount <= 8) {
    colours = 1u << header.biBitCount;
  }
  DWORD masks = header.biSize == sizeof(BITMAPINFOHEADER) && header.biCompression == BI_BITFIELDS
                    ? 3 * sizeof(DWORD)
                    : 0;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfSize = static_cast<DWORD>(sizeof(file) + dib.size());
  file.bfOffBits = static_cast<DWORD>(sizeof(file) + header.biSize + masks + colours * 4);
  std::vector<std::byte> out;
  Append(out, &file, sizeof(file));
  Append(out, dib.data(), dib.size());
  return out;
}

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct IconFileEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  DWORD offset;
};
#pragma pack(pop)

// An ICON resource is a directory (RT_GROUP_ICON) whose entries name separate RT_ICON images;
// join them into one .ico file.
std::optional<std::vector<std::byte>> IconFile(std::span<const std::byte> group) {
  constexpr std::size_t kDirectoryHeader = 6;
  if (group.size() < kDirectoryHeader) {
    return std::nullopt;
  }
  const auto count = Read<WORD>(group, 4);
  if (group.size() < kDirectoryHeader + count * sizeof(GroupIconEntry)) {
    return std::nullopt;
  }
  std::vector<std::byte> out;
  Append(out, group.data(), kDirectoryHeader);
  std::vector<std::byte> images;
  auto offset = static_cast<DWORD>(kDirectoryHeader + count * sizeof(IconFileEntry));
  for (WORD i = 0; i < count; ++i) {
    const auto entry = Read<GroupIconEntry>(group, kDirectoryHeader + i * sizeof(GroupIconEntry));
    const auto image = Find(MAKEINTRESOURCEW(entry.id), RT_ICON);
    if (!image) {
      return std::nullopt;
    }
    const IconFileEntry fileEntry{entry.width,
                                  entry.height,
                                  entry.colours,
                                  entry.reserved,
                                  entry.planes,
                                  entry.bitCount,
                                  static_cast<DWORD>(image->size()),
                                  offset};
    Append(out, &fileEntry, sizeof(fileEntry));
    Append(images, image->data(), image->size());
    offset += static_cast<DWORD>(image->size());
  }
  out.insert(out.end(), images.begin(), images.end());
  return out;
}

const wchar_t* NativeType(ResourceType type) {
  switch (type) {
    case ResourceType::Bitmap:
      return RT_BITMAP;
    case ResourceType::Icon:
      return RT_GROUP_ICON;
    case ResourceType::RcData:
      break;
  }
  return RT_RCDATA;
}

class WinResources final : public Resources {
 public:
  std::vector<std::byte> Load(std::u16string_view name, ResourceType type) override {
    const std::wstring nativeName(name.begin(), name.end());
    const auto data = Find(nativeName.c_str(), NativeType(type));
    std::optional<std::vector<std::byte>> content;
    if (data) {
      switch (type) {
        case ResourceType::Bitmap:
          content = BitmapFile(*data);
          break;
        case ResourceType::Icon:
          content = IconFile(*data);
          break;
        case ResourceType::RcData:
          content.emplace(data->begin(), data->end());
          break;
      }
    }
    if (!content) {
      ThrowResourceNotFound(name);
    }
    return std::move(*content);
  }
};

}  // namespace

Resources& SystemResources() {
  static WinResources resources;
  return resources;
}

}  // namespace platform
