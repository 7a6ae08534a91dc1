#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// Writes the bytes as the whole file; on failure says so on stderr and returns false.
bool WriteImageFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
