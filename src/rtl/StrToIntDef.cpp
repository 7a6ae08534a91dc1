#include "rtl/StrToIntDef.h"

#include <limits>
#include <optional>

namespace {

std::optional<int> DigitValue(char16_t c, int base) {
  int value = -1;
  if (c >= u'0' && c <= u'9') {
    value = c - u'0';
  } else if (base == 16 && c >= u'a' && c <= u'f') {
    value = c - u'a' + 10;
  } else if (base == 16 && c >= u'A' && c <= u'F') {
    value = c - u'A' + 10;
  }
  if (value < 0) {
    return std::nullopt;
  }
  return value;
}

// Accumulates digits while the value stays within `limit`; nullopt on an empty or bad text.
std::optional<std::uint64_t> ParseDigits(std::u16string_view digits, int base,
                                         std::uint64_t limit) {
  if (digits.empty()) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (const char16_t c : digits) {
    const auto digit = DigitValue(c, base);
    if (!digit) {
      return std::nullopt;
    }
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(*digit);
    if (value > limit) {
      return std::nullopt;
    }
  }
  return value;
}

}  // namespace

std::int32_t StrToIntDef(std::u16string_view text, std::int32_t fallback) {
  constexpr std::uint64_t kHexLimit = std::numeric_limits<std::uint32_t>::max();
  std::optional<std::uint64_t> hex;
  if (text.size() >= 3 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
    hex = ParseDigits(text.substr(2), 16, kHexLimit);
  } else if (!text.empty() && text[0] == u'$') {
    hex = ParseDigits(text.substr(1), 16, kHexLimit);
  } else {
    const bool negative = !text.empty() && text[0] == u'-';
    const bool sign = negative || (!text.empty() && text[0] == u'+');
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    const auto magnitude = ParseDigits(text.substr(sign ? 1 : 0), 10, limit);
    if (!magnitude) {
      return fallback;
    }
    const auto value = static_cast<std::int64_t>(*magnitude);
    return static_cast<std::int32_t>(negative ? -value : value);
  }
  if (!hex) {
    return fallback;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(*hex));
}
