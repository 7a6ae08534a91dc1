#include "PngFile.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "../ByteBuffer.h"

namespace {

std::uint32_t Crc32(const std::vector<std::uint8_t>& bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) {
        c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      }
      entries[n] = c;
    }
    return entries;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t byte : bytes) {
    crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::vector<std::uint8_t>& bytes) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t byte : bytes) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void Chunk(ByteBuffer& out, std::string_view type, const std::vector<std::uint8_t>& data) {
  ByteBuffer typed;
  typed.Text(type);
  typed.Append(data);
  out.Be32(static_cast<std::uint32_t>(data.size()));
  out.Append(typed.Bytes());
  out.Be32(Crc32(typed.Bytes()));
}

std::vector<std::uint8_t> StoredZlibStream(const std::vector<std::uint8_t>& raw) {
  constexpr std::size_t kMaxStoredBlock = 65535;
  ByteBuffer out;
  out.U8(0x78);  // deflate, 32K window
  out.U8(0x01);  // no preset dictionary; check bits make the header a multiple of 31
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min(kMaxStoredBlock, raw.size() - offset);
    const bool last = offset + length == raw.size();
    out.U8(last ? 1 : 0);
    out.Le16(static_cast<std::uint32_t>(length));
    out.Le16(static_cast<std::uint32_t>(~length & 0xFFFF));
    out.Append({raw.begin() + static_cast<std::ptrdiff_t>(offset),
                raw.begin() + static_cast<std::ptrdiff_t>(offset + length)});
    offset += length;
  } while (offset < raw.size());
  out.Be32(Adler32(raw));
  return out.Bytes();
}

}  // namespace

std::vector<std::uint8_t> PngFile(int width, int height, const std::vector<Rgba>& pixels) {
  ByteBuffer header;
  header.Be32(static_cast<std::uint32_t>(width));
  header.Be32(static_cast<std::uint32_t>(height));
  header.U8(8);  // bits per channel
  header.U8(6);  // RGBA
  header.U8(0);
  header.U8(0);
  header.U8(0);

  ByteBuffer raw;
  for (int y = 0; y < height; ++y) {
    raw.U8(0);  // no filter
    for (int x = 0; x < width; ++x) {
      const Rgba& pixel = pixels[static_cast<std::size_t>(y * width + x)];
      raw.U8(pixel.r);
      raw.U8(pixel.g);
      raw.U8(pixel.b);
      raw.U8(pixel.a);
    }
  }

  ByteBuffer out;
  out.Append({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
  Chunk(out, "IHDR", header.Bytes());
  Chunk(out, "IDAT", StoredZlibStream(raw.Bytes()));
  Chunk(out, "IEND", {});
  return out.Bytes();
}
