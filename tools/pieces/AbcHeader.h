#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace catalogue {

// The fields of an ABC tune header that the catalogue lists (first occurrence of each, trimmed).
struct AbcHeader {
  std::string title;     // T:
  std::string composer;  // C:
  std::string origin;    // O:
  std::string notes;     // N: "composer died YYYY" or "traditional"
  // %%level: the whole arrangement's level in dB (0 or below), which balances it against the
  // rest of the catalogue; nullopt when the header has none (or it is not a number).
  std::optional<double> levelDb;
  // "%%level <soundfont> <dB>": the arrangement's level for another soundfont, by its name.
  std::map<std::string, double> fontLevelsDb;
};

// Reads the header, which ends at the K: field; nullopt when the file cannot be read.
std::optional<AbcHeader> ReadAbcHeader(const std::filesystem::path& path);

}  // namespace catalogue
