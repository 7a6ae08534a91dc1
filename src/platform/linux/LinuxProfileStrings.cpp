// Debian's SimpleIni library is built on ICU: UTF-16 text in, UTF-8 files out.
#define SI_CONVERT_ICU
#include <SimpleIni.h>

#include "platform/ProfileStrings.h"
#include "rtl/TextConversion.h"

namespace platform {
namespace {

// Names compare without regard to case; one value per key; comments and order are kept.
using IniDocument = CSimpleIniW;

class LinuxProfileStrings final : public ProfileStrings {
 public:
  std::u16string Read(const std::u16string& file, const std::u16string& section,
                      const std::u16string& key, const std::u16string& fallback) override {
    IniDocument document(true, false, false);
    if (document.LoadFile(Utf16ToUtf8(file).c_str()) < 0) {
      return fallback;
    }
    const char16_t* value = document.GetValue(section.c_str(), key.c_str(), nullptr);
    return value ? std::u16string(value) : fallback;
  }

  bool Write(const std::u16string& file, const std::u16string& section, const std::u16string& key,
             const std::u16string& value) override {
    const std::string path = Utf16ToUtf8(file);
    IniDocument document(true, false, false);
    document.SetSpaces(false);  // "Key=Value", as the system writes it
    // A missing file starts empty; the save below tells whether it can be written.
    document.LoadFile(path.c_str());
    if (document.SetValue(section.c_str(), key.c_str(), value.c_str()) < 0) {
      return false;
    }
    return document.SaveFile(path.c_str(), false) >= 0;
  }
};

}  // namespace

ProfileStrings& SystemProfileStrings() {
  static LinuxProfileStrings strings;
  return strings;
}

}  // namespace platform
