#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "rtl/TextConversion.h"

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  std::filesystem::path operator/(const std::string& name) const { return FPath / name; }
  static std::u16string Text(const std::filesystem::path& path) {
    return Utf8ToUtf16(path.string());
  }
  // A file's bytes.
  static std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

 private:
  std::filesystem::path FPath;
};
