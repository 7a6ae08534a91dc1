#include "mixer/SameTextIgnoringCase.h"

#include <algorithm>

namespace {

char16_t LowerCaseOf(char16_t unit) {
  const auto shifted = [unit](int offset) { return static_cast<char16_t>(unit + offset); };
  if ((unit >= u'A' && unit <= u'Z') || (unit >= 0x00C0 && unit <= 0x00DE && unit != 0x00D7) ||
      (unit >= 0x0391 && unit <= 0x03AB && unit != 0x03A2) || (unit >= 0x0410 && unit <= 0x042F) ||
      (unit >= 0xFF21 && unit <= 0xFF3A)) {
    return shifted(0x20);
  }
  if (unit >= 0x0400 && unit <= 0x040F) {
    return shifted(0x50);
  }
  // Greek capitals with tonos.
  if (unit == 0x0386) {
    return 0x03AC;
  }
  if (unit >= 0x0388 && unit <= 0x038A) {
    return shifted(0x25);
  }
  if (unit == 0x038C) {
    return 0x03CC;
  }
  if (unit == 0x038E || unit == 0x038F) {
    return shifted(0x3F);
  }
  // Latin Extended-A pairs capital and small letters side by side; U+0138 and U+0149 stand alone
  // and shift the pairing between them.
  const bool evenCapital = (unit >= 0x0100 && unit <= 0x0137) || (unit >= 0x014A && unit <= 0x0177);
  const bool oddCapital = (unit >= 0x0139 && unit <= 0x0148) || (unit >= 0x0179 && unit <= 0x017E);
  if ((evenCapital && unit % 2 == 0) || (oddCapital && unit % 2 == 1)) {
    return shifted(1);
  }
  if (unit == 0x0178) {
    return 0x00FF;
  }
  return unit;
}

}  // namespace

bool SameTextIgnoringCase(std::u16string_view left, std::u16string_view right) {
  return std::ranges::equal(
      left, right, [](char16_t a, char16_t b) { return LowerCaseOf(a) == LowerCaseOf(b); });
}
