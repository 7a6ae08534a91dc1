#include "AbcHeader.h"

#include <charconv>
#include <fstream>
#include <string_view>

namespace catalogue {
namespace {

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(" \t\r");
  return std::string(text.substr(first, last - first + 1));
}

struct LevelDirective {
  std::string soundFont;  // empty for the arrangement's own level
  double levelDb = 0;
};

// "%%level [<soundfont>] <dB>", or nullopt when the line is no level directive.
std::optional<LevelDirective> Level(std::string_view line) {
  static constexpr std::string_view kDirective = "%%level ";
  if (!line.starts_with(kDirective)) {
    return std::nullopt;
  }
  std::string value = Trimmed(line.substr(kDirective.size()));
  LevelDirective directive;
  if (const auto space = value.find(' '); space != std::string::npos) {
    directive.soundFont = value.substr(0, space);
    value = Trimmed(std::string_view(value).substr(space + 1));
  }
  const auto [end, error] =
      std::from_chars(value.data(), value.data() + value.size(), directive.levelDb);
  if (error != std::errc() || end != value.data() + value.size()) {
    return std::nullopt;
  }
  return directive;
}

}  // namespace

std::optional<AbcHeader> ReadAbcHeader(const std::filesystem::path& path) {
  std::ifstream file(path);
  if (!file) {
    return std::nullopt;
  }
  AbcHeader header;
  std::string line;
  while (std::getline(file, line)) {
    if (const auto level = Level(line)) {
      if (level->soundFont.empty()) {
        header.levelDb = header.levelDb.value_or(level->levelDb);
      } else {
        header.fontLevelsDb.try_emplace(level->soundFont, level->levelDb);
      }
      continue;
    }
    if (line.size() < 2 || line[1] != ':') {
      continue;
    }
    const std::string value = Trimmed(std::string_view(line).substr(2));
    std::string* field = nullptr;
    switch (line[0]) {
      case 'T':
        field = &header.title;
        break;
      case 'C':
        field = &header.composer;
        break;
      case 'O':
        field = &header.origin;
        break;
      case 'N':
        field = &header.notes;
        break;
      case 'K':
        return header;
      default:
        break;
    }
    if (field != nullptr && field->empty()) {
      *field = value;
    }
  }
  return header;
}

}  // namespace catalogue
