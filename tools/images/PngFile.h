#pragma once

#include <cstdint>
#include <vector>

#include "Raster.h"

// A PNG file, 8-bit RGBA, top row first. The image data goes into stored (uncompressed) deflate
// blocks: the bytes then depend on nothing but the pixels, whatever zlib the machine has.
std::vector<std::uint8_t> PngFile(int width, int height, const std::vector<Rgba>& pixels);
