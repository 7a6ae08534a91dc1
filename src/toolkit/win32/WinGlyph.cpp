#include "toolkit/win32/WinGlyph.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "rtl/Exception.h"

namespace toolkit::win32 {
namespace {

struct Pixel {
  std::uint8_t blue, green, red, alpha;
};

[[noreturn]] void ThrowInvalid() {
  throw Exception(u"ビットマップ イメージは有効ではありません");
}

template <typename T>
T Read(std::span<const std::byte> data, std::size_t offset) {
  if (offset > data.size() || sizeof(T) > data.size() - offset) {
    ThrowInvalid();
  }
  T value{};
  std::memcpy(&value, data.data() + offset, sizeof(T));
  return value;
}

// The decoded image, top row first, with the transparent pixels' alpha at 0.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;
};

Image Decode(std::span<const std::byte> file) {
  const auto fileHeader = Read<BITMAPFILEHEADER>(file, 0);
  const auto info = Read<BITMAPINFOHEADER>(file, sizeof(BITMAPFILEHEADER));
  const int bits = info.biBitCount;
  if (fileHeader.bfType != 0x4D42 || info.biSize < sizeof(BITMAPINFOHEADER) || info.biWidth <= 0 ||
      info.biHeight == 0 || info.biWidth > 0x4000 || info.biHeight > 0x4000 ||
      info.biHeight < -0x4000 || info.biCompression != BI_RGB ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
    ThrowInvalid();
  }
  const int width = info.biWidth;
  const int height = info.biHeight > 0 ? info.biHeight : -info.biHeight;
  const std::size_t colours = info.biClrUsed != 0 ? info.biClrUsed : bits <= 8 ? 1u << bits : 0;
  const std::size_t paletteAt = sizeof(BITMAPFILEHEADER) + info.biSize;
  std::vector<RGBQUAD> palette;
  for (std::size_t i = 0; i < colours && i < 256; ++i) {
    palette.push_back(Read<RGBQUAD>(file, paletteAt + i * sizeof(RGBQUAD)));
  }
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  if (fileHeader.bfOffBits > file.size() ||
      stride * static_cast<std::size_t>(height) > file.size() - fileHeader.bfOffBits) {
    ThrowInvalid();
  }
  // A pixel as its palette index (palette images) or its colour, which decides transparency.
  const auto keyAt = [&](int x, int row) -> std::uint32_t {
    const auto* line = reinterpret_cast<const std::uint8_t*>(file.data()) + fileHeader.bfOffBits +
                       static_cast<std::size_t>(row) * stride;
    switch (bits) {
      case 1:
        return (line[x / 8] >> (7 - x % 8)) & 1u;
      case 4:
        return (line[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xFu;
      case 8:
        return line[x];
      case 24:
        return line[x * 3] | line[x * 3 + 1] << 8 |
               static_cast<std::uint32_t>(line[x * 3 + 2]) << 16;
      default:
        return line[x * 4] | line[x * 4 + 1] << 8 |
               static_cast<std::uint32_t>(line[x * 4 + 2]) << 16;
    }
  };
  // An index beyond the palette is black, as the system draws it.
  const auto colourOf = [&](std::uint32_t key) -> Pixel {
    if (bits > 8) {
      return {static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
              static_cast<std::uint8_t>(key >> 16), 255};
    }
    if (key >= palette.size()) {
      return {0, 0, 0, 255};
    }
    return {palette[key].rgbBlue, palette[key].rgbGreen, palette[key].rgbRed, 255};
  };
  const bool bottomUp = info.biHeight > 0;
  const auto rowOf = [&](int y) { return bottomUp ? height - 1 - y : y; };
  const std::uint32_t transparent = keyAt(0, rowOf(height - 1));
  Image image{width, height, {}};
  image.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t key = keyAt(x, rowOf(y));
      image.pixels.push_back(key == transparent ? Pixel{0, 0, 0, 0} : colourOf(key));
    }
  }
  return image;
}

// Light grey tones of the picture, as disabled controls draw theirs.
Image Greyed(Image image) {
  for (Pixel& pixel : image.pixels) {
    if (pixel.alpha != 0) {
      const auto grey = static_cast<std::uint8_t>(
          128 + (pixel.red * 77 + pixel.green * 151 + pixel.blue * 28) / 512);
      pixel = {grey, grey, grey, 255};
    }
  }
  return image;
}

// Transparent pixels are all zero, opaque ones unchanged: already premultiplied.
HBITMAP Bitmap(const Image& image) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) {
    throw Exception(u"ビットマップを作成できません");
  }
  std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(Pixel));
  return bitmap;
}

}  // namespace

Glyph::Glyph(std::span<const std::byte> bitmapFile) {
  const Image image = Decode(bitmapFile);
  FWidth = image.width;
  FHeight = image.height;
  FEnabled = Bitmap(image);
  try {
    FDisabled = Bitmap(Greyed(image));
  } catch (...) {
    DeleteObject(FEnabled);
    throw;
  }
}

Glyph::~Glyph() {
  DeleteObject(FEnabled);
  DeleteObject(FDisabled);
}

void Glyph::Draw(HDC dc, int x, int y, bool enabled) const {
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, enabled ? FEnabled : FDisabled);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, FWidth, FHeight, source, 0, 0, FWidth, FHeight, blend);
  SelectObject(source, previous);
  DeleteDC(source);
}

}  // namespace toolkit::win32
