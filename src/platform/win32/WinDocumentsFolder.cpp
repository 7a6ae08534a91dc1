#include "platform/DocumentsFolder.h"

#include <windows.h>

#include <shlobj.h>

namespace platform {
namespace {

class WinDocumentsFolder final : public DocumentsFolder {
 public:
  std::u16string Path() override {
    wchar_t path[MAX_PATH] = {};
    PIDLIST_ABSOLUTE list = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(GetActiveWindow(), CSIDL_PERSONAL, &list))) {
      SHGetPathFromIDListW(list, path);
      CoTaskMemFree(list);
    }
    return reinterpret_cast<const char16_t*>(path);
  }
};

}  // namespace

DocumentsFolder& SystemDocumentsFolder() {
  static WinDocumentsFolder folder;
  return folder;
}

}  // namespace platform
