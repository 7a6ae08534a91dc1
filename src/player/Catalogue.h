#pragma once

#include <cstdint>
#include <string>

// The built-in pieces are numbered 1 to kPieceCount; list row r and slider position r + 1 name
// piece r + 1.
inline constexpr std::int32_t kPieceCount = 120;

// The resource that holds piece `piece`: "RS_" and the number, "RS_1" to "RS_120".
std::u16string PieceResourceName(std::int32_t piece);
