#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

namespace toolkit::win32 {

// A button's picture from a .bmp file: every pixel of the bottom-left pixel's colour (of its
// palette index, in a palette image) is transparent. Kept twice, as drawn when enabled and
// greyed for a disabled button, in 32-bit premultiplied form for AlphaBlend.
class Glyph {
 public:
  // Throws Exception when the data is no uncompressed bitmap of 1, 4, 8, 24 or 32 bits per pixel.
  explicit Glyph(std::span<const std::byte> bitmapFile);
  ~Glyph();
  Glyph(const Glyph&) = delete;
  Glyph& operator=(const Glyph&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void Draw(HDC dc, int x, int y, bool enabled) const;

 private:
  int FWidth = 0;
  int FHeight = 0;
  HBITMAP FEnabled = nullptr;
  HBITMAP FDisabled = nullptr;
};

}  // namespace toolkit::win32
