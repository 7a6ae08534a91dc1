#pragma once

#include <vector>

#include "Raster.h"

// The application icon, size x size pixels, top row first. It is drawn on a 256-pixel grid and
// sampled at the size asked for, so every size is drawn rather than scaled from another.
std::vector<Rgba> IconPixels(int size);
