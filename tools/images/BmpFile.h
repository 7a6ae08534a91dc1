#pragma once

#include <cstdint>
#include <vector>

#include "Raster.h"

// Windows bitmap files (BITMAPFILEHEADER + BITMAPINFOHEADER, uncompressed). Pixels are given
// top row first; rows are stored bottom-up as the format wants.

// 8 bits per pixel; the colour table holds exactly `palette.size()` entries (biClrUsed), so an
// index at or past its end is stored as it stands.
std::vector<std::uint8_t> IndexedBmpFile(int width, int height, const std::vector<Rgb>& palette,
                                         const std::vector<std::uint8_t>& indices);

// 24 bits per pixel.
std::vector<std::uint8_t> TrueColorBmpFile(int width, int height, const std::vector<Rgb>& pixels);
