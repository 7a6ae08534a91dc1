// Draws the application icon at each size given and writes it as <folder>/<n>x<n>/apps/kalvio.png,
// the layout of an icon theme, for the desktop's menus and launchers.
#include <cstdio>
#include <filesystem>
#include <string>

#include "Icon.h"
#include "ImageFile.h"
#include "PngFile.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_icon_sizes <output folder> <size>...\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  for (int i = 2; i < argc; ++i) {
    const int size = std::stoi(argv[i]);
    const std::filesystem::path apps =
        folder / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
    std::filesystem::create_directories(apps);
    if (!WriteImageFile(apps / "kalvio.png", PngFile(size, size, IconPixels(size)))) {
      return 1;
    }
  }
  return 0;
}
