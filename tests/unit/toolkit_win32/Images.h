#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A file of resources/images, whole.
std::vector<std::byte> ReadImage(const std::string& name);
