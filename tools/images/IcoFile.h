#pragma once

#include <cstdint>
#include <vector>

#include "Raster.h"

// An icon file holding one square 32-bit image (straight alpha, top row first), stored as a DIB
// with its AND mask so that every reader, old or new, takes it.
std::vector<std::uint8_t> IcoFile(int size, const std::vector<Rgba>& pixels);
