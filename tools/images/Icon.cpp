#include "Icon.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "Colours.h"

namespace {

constexpr double kGrid = 256;
constexpr int kSamples = 4;

// The shape drawn on the grid, seen at `size` pixels.
Shape Scaled(Shape shape, int size) {
  const double scale = kGrid / size;
  return
      [shape = std::move(shape), scale](double x, double y) { return shape(x * scale, y * scale); };
}

}  // namespace

// Two beamed quavers in white on a rounded orange-to-red tile, edges smoothed through alpha.
std::vector<Rgba> IconPixels(int size) {
  const Shape tile = Scaled(RoundedRectangle(8, 8, 248, 248, 44), size);
  const Shape notes = Scaled(Union({
                                 RotatedEllipse({92, 184}, 28, 20, -22),
                                 RotatedEllipse({178, 162}, 28, 20, -22),
                                 Rectangle(110, 66, 122, 180),
                                 Rectangle(196, 44, 208, 158),
                                 [](double x, double y) {
                                   // the beam: a band from the top of the first stem to the top
                                   // of the second
                                   const double top =
                                       66 + (x - 110) * (44.0 - 66.0) / (208.0 - 110.0);
                                   return x >= 110 && x < 208 && y >= top && y < top + 30;
                                 },
                             }),
                             size);
  std::vector<Rgba> pixels;
  for (int y = 0; y < size; ++y) {
    const Rgb background = Mix(kOrange, kRed, (y + 0.5) / size);
    for (int x = 0; x < size; ++x) {
      const double alpha = Coverage(tile, x, y, kSamples);
      const Rgb colour = Mix(background, kWhite, Coverage(notes, x, y, kSamples));
      pixels.push_back(
          {colour.r, colour.g, colour.b, static_cast<std::uint8_t>(std::lround(alpha * 255))});
    }
  }
  return pixels;
}
