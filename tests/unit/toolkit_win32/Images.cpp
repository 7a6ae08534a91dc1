#include "Images.h"

#include <cstring>
#include <fstream>
#include <iterator>

std::vector<std::byte> ReadImage(const std::string& name) {
  std::ifstream file(std::string(KALVIO_IMAGES_DIR) + "/" + name, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
  std::vector<std::byte> image(bytes.size());
  std::memcpy(image.data(), bytes.data(), bytes.size());
  return image;
}
