#pragma once

#include <cstdint>
#include <string>

// Decimal text of a number, negative values with a leading minus sign.
std::u16string IntToStr(std::int64_t value);
