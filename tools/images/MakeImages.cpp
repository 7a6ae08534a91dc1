// Draws the button images and the application icon and writes them into the folder given as the
// only argument. The output depends on nothing but this code, so the committed files can be
// checked by drawing them again.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "Colours.h"
#include "IcoFile.h"
#include "Icon.h"
#include "ImageFile.h"
#include "PngFile.h"
#include "Raster.h"

namespace {

constexpr int kButtonSize = 48;
constexpr int kIconSize = 256;
constexpr int kSamples = 4;

// Glyphs span the same band of the button; the bottom rows stay background, so the bottom-left
// pixel that the button treats as transparent is always background.
constexpr double kGlyphTop = 10;
constexpr double kGlyphBottom = 38;
constexpr double kGlyphMiddle = (kGlyphTop + kGlyphBottom) / 2;

struct Glyph {
  Shape shape;
  double left, right;  // extent of the orange-to-red gradient
};

Glyph SkipForwardGlyph() {
  return {Union({Triangle({6, kGlyphTop}, {6, kGlyphBottom}, {20, kGlyphMiddle}),
                 Triangle({20, kGlyphTop}, {20, kGlyphBottom}, {34, kGlyphMiddle}),
                 Rectangle(35, kGlyphTop, 42, kGlyphBottom)}),
          6, 42};
}

Glyph PauseGlyph() {
  return {Union({Rectangle(13, kGlyphTop, 21, kGlyphBottom),
                 Rectangle(27, kGlyphTop, 35, kGlyphBottom)}),
          13, 35};
}

Glyph ArrowGlyph() {
  return {Triangle({16, kGlyphTop}, {16, kGlyphBottom}, {34, kGlyphMiddle}), 16, 34};
}

bool Inside(const Glyph& glyph, int x, int y) {
  return Coverage(glyph.shape, x, y, kSamples) >= 0.5;
}

// Position of a pixel column along the glyph's gradient, 0 (orange) to 1 (red).
double GradientPosition(const Glyph& glyph, int x) {
  return std::clamp((x + 0.5 - glyph.left) / (glyph.right - glyph.left), 0.0, 1.0);
}

std::vector<Rgb> GradientTable(int entries) {
  std::vector<Rgb> table;
  for (int i = 0; i < entries; ++i) {
    table.push_back(Mix(kOrange, kRed, static_cast<double>(i) / (entries - 1)));
  }
  return table;
}

std::uint8_t GradientIndex(double position, int entries) {
  return static_cast<std::uint8_t>(std::lround(position * (entries - 1)));
}

// 256 colours: white background at index 0, then 255 gradient steps.
std::vector<std::uint8_t> SkipForwardBitmap() {
  const Glyph glyph = SkipForwardGlyph();
  std::vector<Rgb> palette{kWhite};
  const std::vector<Rgb> gradient = GradientTable(255);
  palette.insert(palette.end(), gradient.begin(), gradient.end());
  std::vector<std::uint8_t> indices;
  for (int y = 0; y < kButtonSize; ++y) {
    for (int x = 0; x < kButtonSize; ++x) {
      indices.push_back(Inside(glyph, x, y) ? 1 + GradientIndex(GradientPosition(glyph, x), 255)
                                            : 0);
    }
  }
  return IndexedBmpFile(kButtonSize, kButtonSize, palette, indices);
}

// The mirror image of skip forward, with a 255-colour gradient table; the background is index
// 255, one past the table. No glyph colour is black, which is what readers make of that index.
std::vector<std::uint8_t> SkipBackBitmap() {
  const Glyph glyph = SkipForwardGlyph();
  const std::vector<Rgb> palette = GradientTable(255);
  constexpr std::uint8_t kBackground = 255;
  std::vector<std::uint8_t> indices;
  for (int y = 0; y < kButtonSize; ++y) {
    for (int x = 0; x < kButtonSize; ++x) {
      const int mirrored = kButtonSize - 1 - x;
      indices.push_back(Inside(glyph, mirrored, y)
                            ? GradientIndex(GradientPosition(glyph, mirrored), 255)
                            : kBackground);
    }
  }
  return IndexedBmpFile(kButtonSize, kButtonSize, palette, indices);
}

std::vector<std::uint8_t> TrueColorGlyphBitmap(const Glyph& glyph) {
  std::vector<Rgb> pixels;
  for (int y = 0; y < kButtonSize; ++y) {
    for (int x = 0; x < kButtonSize; ++x) {
      pixels.push_back(Inside(glyph, x, y) ? Mix(kOrange, kRed, GradientPosition(glyph, x))
                                           : kWhite);
    }
  }
  return TrueColorBmpFile(kButtonSize, kButtonSize, pixels);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_images <output folder>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const std::vector<Rgba> icon = IconPixels(kIconSize);
  const bool written = WriteImageFile(folder / "skip-forward.bmp", SkipForwardBitmap()) &&
                       WriteImageFile(folder / "skip-back.bmp", SkipBackBitmap()) &&
                       WriteImageFile(folder / "pause.bmp", TrueColorGlyphBitmap(PauseGlyph())) &&
                       WriteImageFile(folder / "arrow.bmp", TrueColorGlyphBitmap(ArrowGlyph())) &&
                       WriteImageFile(folder / "mainicon.ico", IcoFile(kIconSize, icon)) &&
                       WriteImageFile(folder / "mainicon.png", PngFile(kIconSize, kIconSize, icon));
  return written ? 0 : 1;
}
