#include "IcoFile.h"

#include "../ByteBuffer.h"

namespace {

constexpr std::uint32_t kHeaderSize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t MaskRowSize(std::uint32_t side) {
  return ((side + 31) / 32) * 4;
}

std::uint32_t ImageSize(std::uint32_t side) {
  return kInfoHeaderSize + side * side * 4 + MaskRowSize(side) * side;
}

void WriteImage(ByteBuffer& out, const IconImage& image) {
  const int size = image.size;
  const auto side = static_cast<std::uint32_t>(size);
  const std::uint32_t maskRowSize = MaskRowSize(side);
  out.Le32(kInfoHeaderSize);
  out.Le32(side);
  out.Le32(side * 2);  // colour image and mask
  out.Le16(1);
  out.Le16(32);
  out.Le32(0);
  out.Le32(side * side * 4 + maskRowSize * side);
  out.Le32(0);
  out.Le32(0);
  out.Le32(0);
  out.Le32(0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      const Rgba& pixel = image.pixels[static_cast<std::size_t>(y * size + x)];
      out.U8(pixel.b);
      out.U8(pixel.g);
      out.U8(pixel.r);
      out.U8(pixel.a);
    }
  }
  for (int y = size - 1; y >= 0; --y) {
    for (std::uint32_t byte = 0; byte < maskRowSize; ++byte) {
      std::uint32_t bits = 0;
      for (std::uint32_t bit = 0; bit < 8; ++bit) {
        const std::uint32_t x = byte * 8 + bit;
        const bool transparent =
            x >= side || image.pixels[static_cast<std::size_t>(y) * side + x].a == 0;
        bits |= (transparent ? 0x80u : 0u) >> bit;
      }
      out.U8(bits);
    }
  }
}

}  // namespace

std::vector<std::uint8_t> IcoFile(const std::vector<IconImage>& images) {
  ByteBuffer out;
  out.Le16(0);
  out.Le16(1);  // icon
  out.Le16(static_cast<std::uint16_t>(images.size()));
  std::uint32_t offset = kHeaderSize + kEntrySize * static_cast<std::uint32_t>(images.size());
  for (const IconImage& image : images) {
    const auto side = static_cast<std::uint32_t>(image.size);
    out.U8(side % 256);  // 256 is written as 0
    out.U8(side % 256);
    out.U8(0);  // no colour table
    out.U8(0);
    out.Le16(1);   // planes
    out.Le16(32);  // bits per pixel
    out.Le32(ImageSize(side));
    out.Le32(offset);
    offset += ImageSize(side);
  }
  for (const IconImage& image : images) {
    WriteImage(out, image);
  }
  return out.Bytes();
}
