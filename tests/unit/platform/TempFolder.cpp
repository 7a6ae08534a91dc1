#include "TempFolder.h"

#include <stdlib.h>

#include <stdexcept>

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kalvio-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed");
  }
  FPath = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::permissions(FPath, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(FPath, error);
}
