#include "CatalogueEntry.h"

#include <array>
#include <cctype>

namespace catalogue {

PieceLayout LayoutOf(int piece, const AbcHeader& header) {
  static constexpr std::array<std::uint16_t, 4> kDivisions{48, 96, 480, 960};
  PieceLayout layout;
  layout.format = piece % 2 == 1 ? 1 : 0;
  layout.ticksPerQuarter = kDivisions[static_cast<std::size_t>((piece - 1) / 2 % 4)];
  layout.title = header.title;
  layout.copyright = "Arrangement: Kalvio, CC0-1.0; music: " + header.composer + ", public domain";
  return layout;
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
