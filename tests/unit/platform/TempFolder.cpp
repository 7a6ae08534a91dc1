#include "TempFolder.h"

#include <random>
#include <string>

// A new folder of a random name, private to the user (as mkdtemp makes it, which Windows lacks).
TempFolder::TempFolder() {
  std::random_device random;
  do {
    FPath = std::filesystem::temp_directory_path() / ("kalvio-test-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(FPath));
  std::filesystem::permissions(FPath, std::filesystem::perms::owner_all);
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::permissions(FPath, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(FPath, error);
}
