#pragma once

#include <cstdint>
#include <vector>

#include "Raster.h"

struct IconImage {
  int size;
  std::vector<Rgba> pixels;  // straight alpha, top row first
};

// An icon file holding square 32-bit images, each stored as a DIB with its AND mask so that every
// reader, old or new, takes it.
std::vector<std::uint8_t> IcoFile(const std::vector<IconImage>& images);
