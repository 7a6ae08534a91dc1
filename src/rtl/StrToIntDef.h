#pragma once

#include <cstdint>
#include <string_view>

// Reads a 32-bit integer the way settings files write them: decimal with an optional sign,
// "0x"/"0X" followed by hex digits, or "$" followed by hex digits (hex is the bit pattern, so
// "$FFFFFFFF" is -1). Anything else, including empty text and out-of-range values, gives
// `fallback`.
std::int32_t StrToIntDef(std::u16string_view text, std::int32_t fallback);
