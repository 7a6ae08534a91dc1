#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace catalogue {

// The fields of an ABC tune header that the catalogue lists (first occurrence of each, trimmed).
struct AbcHeader {
  std::string title;     // T:
  std::string composer;  // C:
  std::string origin;    // O:
  std::string notes;     // N: "composer died YYYY" or "traditional"
};

// Reads the header, which ends at the K: field; nullopt when the file cannot be read.
std::optional<AbcHeader> ReadAbcHeader(const std::filesystem::path& path);

}  // namespace catalogue
