#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// A growing byte string with the integer encodings the file formats we write need.
class ByteBuffer {
 public:
  void U8(std::uint32_t value) { FBytes.push_back(static_cast<std::uint8_t>(value)); }
  void Le16(std::uint32_t value) {
    U8(value);
    U8(value >> 8);
  }
  void Le32(std::uint32_t value) {
    Le16(value);
    Le16(value >> 16);
  }
  void Be16(std::uint32_t value) {
    U8(value >> 8);
    U8(value);
  }
  void Be32(std::uint32_t value) {
    Be16(value >> 16);
    Be16(value);
  }
  void Text(std::string_view text) { FBytes.insert(FBytes.end(), text.begin(), text.end()); }
  void Append(const std::vector<std::uint8_t>& bytes) {
    FBytes.insert(FBytes.end(), bytes.begin(), bytes.end());
  }

  std::size_t Size() const { return FBytes.size(); }
  const std::vector<std::uint8_t>& Bytes() const { return FBytes; }

 private:
  std::vector<std::uint8_t> FBytes;
};
