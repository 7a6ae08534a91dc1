#include "rtl/IntToStr.h"

#include <string>

std::u16string IntToStr(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}
