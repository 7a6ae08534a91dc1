#include "BmpFile.h"

#include "../ByteBuffer.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetreAt96Dpi = 3780;

std::uint32_t RowSize(int width, int bitsPerPixel) {
  return ((static_cast<std::uint32_t>(width * bitsPerPixel) + 31) / 32) * 4;
}

void Headers(ByteBuffer& out, int width, int height, int bitsPerPixel, std::uint32_t colours) {
  const std::uint32_t imageSize = RowSize(width, bitsPerPixel) * static_cast<std::uint32_t>(height);
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + colours * 4;
  out.Text("BM");
  out.Le32(pixelOffset + imageSize);
  out.Le32(0);
  out.Le32(pixelOffset);
  out.Le32(kInfoHeaderSize);
  out.Le32(static_cast<std::uint32_t>(width));
  out.Le32(static_cast<std::uint32_t>(height));
  out.Le16(1);
  out.Le16(static_cast<std::uint32_t>(bitsPerPixel));
  out.Le32(0);
  out.Le32(imageSize);
  out.Le32(kPixelsPerMetreAt96Dpi);
  out.Le32(kPixelsPerMetreAt96Dpi);
  out.Le32(colours);
  out.Le32(0);
}

void RowPadding(ByteBuffer& out, int width, int bitsPerPixel) {
  const std::uint32_t used = static_cast<std::uint32_t>(width * bitsPerPixel + 7) / 8;
  for (std::uint32_t i = used; i < RowSize(width, bitsPerPixel); ++i) {
    out.U8(0);
  }
}

}  // namespace

std::vector<std::uint8_t> IndexedBmpFile(int width, int height, const std::vector<Rgb>& palette,
                                         const std::vector<std::uint8_t>& indices) {
  ByteBuffer out;
  Headers(out, width, height, 8, static_cast<std::uint32_t>(palette.size()));
  for (const Rgb& colour : palette) {
    out.U8(colour.b);
    out.U8(colour.g);
    out.U8(colour.r);
    out.U8(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      out.U8(indices[static_cast<std::size_t>(y * width + x)]);
    }
    RowPadding(out, width, 8);
  }
  return out.Bytes();
}

std::vector<std::uint8_t> TrueColorBmpFile(int width, int height, const std::vector<Rgb>& pixels) {
  ByteBuffer out;
  Headers(out, width, height, 24, 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Rgb& pixel = pixels[static_cast<std::size_t>(y * width + x)];
      out.U8(pixel.b);
      out.U8(pixel.g);
      out.U8(pixel.r);
    }
    RowPadding(out, width, 24);
  }
  return out.Bytes();
}
