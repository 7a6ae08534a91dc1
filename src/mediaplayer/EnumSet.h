#pragma once

#include <cstdint>
#include <initializer_list>

// A set of values of a small enumeration (numbered 0 to 31), one bit per value.
template <typename Enum>
class EnumSet {
 public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<Enum> values) {
    for (const Enum value : values) {
      Include(value);
    }
  }

  constexpr bool Contains(Enum value) const { return (FBits & Bit(value)) != 0; }
  constexpr void Include(Enum value) { FBits |= Bit(value); }

  constexpr bool operator==(const EnumSet&) const = default;

 private:
  static constexpr std::uint32_t Bit(Enum value) {
    return std::uint32_t{1} << static_cast<unsigned>(value);
  }

  std::uint32_t FBits = 0;
};
