#include "platform/ProfileStrings.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {

const wchar_t* Native(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

class WinProfileStrings final : public ProfileStrings {
 public:
  std::u16string Read(const std::u16string& file, const std::u16string& section,
                      const std::u16string& key, const std::u16string& fallback) override {
    std::vector<wchar_t> buffer(2048);
    const DWORD length =
        GetPrivateProfileStringW(Native(section), Native(key), Native(fallback), buffer.data(),
                                 static_cast<DWORD>(buffer.size()), Native(file));
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), length);
  }

  bool Write(const std::u16string& file, const std::u16string& section, const std::u16string& key,
             const std::u16string& value) override {
    return WritePrivateProfileStringW(Native(section), Native(key), Native(value), Native(file)) !=
           0;
  }
};

}  // namespace

ProfileStrings& SystemProfileStrings() {
  static WinProfileStrings strings;
  return strings;
}

}  // namespace platform
