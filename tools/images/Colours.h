#pragma once

#include "Raster.h"

// The catalogue's colours: white grounds, glyphs and the icon's tile shading orange to red.
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kOrange{255, 150, 0};
inline constexpr Rgb kRed{210, 20, 20};
