#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "AbcHeader.h"
#include "Normaliser.h"

namespace catalogue {

constexpr int kPieceCount = 120;

// How piece n is stored: odd pieces as format 1, even ones as format 0, and the divisions
// 48, 96, 480 and 960 in turn for each pair, so every format meets every division.
PieceLayout LayoutOf(int piece, const AbcHeader& header);

// The expression controller's value that lowers a piece by `levelDb` (0 dB: 127, the most).
std::uint8_t ExpressionFor(double levelDb);

// "1941" from "composer died 1941", "" from "traditional"; nullopt for anything else.
std::optional<std::string> DeathYear(const std::string& notes);

// One tab-separated manifest row: piece, title, composer, died, origin, format, division.
std::string ManifestRow(int piece, const AbcHeader& header, const PieceLayout& layout);
std::string ManifestHeading();

}  // namespace catalogue
