#include "CatalogueEntry.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace catalogue {

PieceLayout LayoutOf(int piece, const AbcHeader& header) {
  static constexpr std::array<std::uint16_t, 4> kDivisions{48, 96, 480, 960};
  PieceLayout layout;
  layout.format = piece % 2 == 1 ? 1 : 0;
  layout.ticksPerQuarter = kDivisions[static_cast<std::size_t>((piece - 1) / 2 % 4)];
  layout.title = header.title;
  layout.copyright = "Arrangement: Kalvio, CC0-1.0; music: " + header.composer + ", public domain";
  if (header.levelDb) {
    layout.expression = ExpressionFor(*header.levelDb);
  }
  for (const auto& [font, levelDb] : header.fontLevelsDb) {
    layout.fontExpressions.emplace(font, ExpressionFor(levelDb));
  }
  return layout;
}

// The synthesiser's attenuation for an expression value v is 40 log10(v / 127) dB.
std::uint8_t ExpressionFor(double levelDb) {
  const double value = 127 * std::pow(10.0, std::min(levelDb, 0.0) / 40);
  return static_cast<std::uint8_t>(std::clamp(std::lround(value), 1L, 127L));
}

std::optional<std::string> DeathYear(const std::string& notes) {
  static const std::string kPrefix = "composer died ";
  if (notes == "traditional") {
    return std::string();
  }
  if (notes.size() == kPrefix.size() + 4 && notes.starts_with(kPrefix)) {
    const std::string year = notes.substr(kPrefix.size());
    for (const char digit : year) {
      if (!std::isdigit(static_cast<unsigned char>(digit))) {
        return std::nullopt;
      }
    }
    return year;
  }
  return std::nullopt;
}

std::string ManifestHeading() {
  return "piece\ttitle\tcomposer\tdied\torigin\tformat\tdivision";
}

std::string ManifestRow(int piece, const AbcHeader& header, const PieceLayout& layout) {
  return std::to_string(piece) + '\t' + header.title + '\t' + header.composer + '\t' +
         DeathYear(header.notes).value_or("?") + '\t' + header.origin + '\t' +
         std::to_string(layout.format) + '\t' + std::to_string(layout.ticksPerQuarter);
}

}  // namespace catalogue
