// Draws the button images and the application icon and writes them into the folder given as the
// only argument. The output depends on nothing but this code, so the committed files can be
// checked by drawing them again. Each button image is drawn for 100 %, 150 % and 200 % display
// scaling ("name.bmp", "name-150.bmp", "name-200.bmp"); the icon file holds the sizes Windows
// asks for at those scales.
#include <algorithm>
#include <array>
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
// Small and large icons at each scale, and the large one Explorer shows in its big views.
constexpr std::array kIconFileSizes{16, 24, 32, 48, 64, 256};
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

struct Scale {
  int percent;
  const char* suffix;
};

constexpr std::array kScales{Scale{100, ""}, Scale{150, "-150"}, Scale{200, "-200"}};

// The glyph drawn at a scale: its outline follows, so the edges are as sharp as at 100 %.
Glyph Scaled(const Glyph& glyph, int percent) {
  const double factor = percent / 100.0;
  return {
      [shape = glyph.shape, factor](double x, double y) { return shape(x / factor, y / factor); },
      glyph.left * factor, glyph.right * factor};
}

int ButtonSize(int percent) {
  return kButtonSize * percent / 100;
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
std::vector<std::uint8_t> SkipForwardBitmap(int percent) {
  const Glyph glyph = Scaled(SkipForwardGlyph(), percent);
  const int size = ButtonSize(percent);
  std::vector<Rgb> palette{kWhite};
  const std::vector<Rgb> gradient = GradientTable(255);
  palette.insert(palette.end(), gradient.begin(), gradient.end());
  std::vector<std::uint8_t> indices;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      indices.push_back(Inside(glyph, x, y) ? 1 + GradientIndex(GradientPosition(glyph, x), 255)
                                            : 0);
    }
  }
  return IndexedBmpFile(size, size, palette, indices);
}

// The mirror image of skip forward, with a 255-colour gradient table; the background is index
// 255, one past the table. No glyph colour is black, which is what readers make of that index.
std::vector<std::uint8_t> SkipBackBitmap(int percent) {
  const Glyph glyph = Scaled(SkipForwardGlyph(), percent);
  const int size = ButtonSize(percent);
  const std::vector<Rgb> palette = GradientTable(255);
  constexpr std::uint8_t kBackground = 255;
  std::vector<std::uint8_t> indices;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int mirrored = size - 1 - x;
      indices.push_back(Inside(glyph, mirrored, y)
                            ? GradientIndex(GradientPosition(glyph, mirrored), 255)
                            : kBackground);
    }
  }
  return IndexedBmpFile(size, size, palette, indices);
}

std::vector<std::uint8_t> TrueColorGlyphBitmap(const Glyph& unscaled, int percent) {
  const Glyph glyph = Scaled(unscaled, percent);
  const int size = ButtonSize(percent);
  std::vector<Rgb> pixels;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      pixels.push_back(Inside(glyph, x, y) ? Mix(kOrange, kRed, GradientPosition(glyph, x))
                                           : kWhite);
    }
  }
  return TrueColorBmpFile(size, size, pixels);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_images <output folder>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  bool written = true;
  for (const Scale& scale : kScales) {
    const auto file = [&](const char* name) {
      return folder / (std::string(name) + scale.suffix + ".bmp");
    };
    written = written && WriteImageFile(file("skip-forward"), SkipForwardBitmap(scale.percent)) &&
              WriteImageFile(file("skip-back"), SkipBackBitmap(scale.percent)) &&
              WriteImageFile(file("pause"), TrueColorGlyphBitmap(PauseGlyph(), scale.percent)) &&
              WriteImageFile(file("arrow"), TrueColorGlyphBitmap(ArrowGlyph(), scale.percent));
  }
  std::vector<IconImage> iconImages;
  for (const int size : kIconFileSizes) {
    iconImages.push_back({size, IconPixels(size)});
  }
  written =
      written && WriteImageFile(folder / "mainicon.ico", IcoFile(iconImages)) &&
      WriteImageFile(folder / "mainicon.png", PngFile(kIconSize, kIconSize, IconPixels(kIconSize)));
  return written ? 0 : 1;
}
