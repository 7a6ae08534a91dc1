#include <QStandardPaths>
#include <QString>

#include "platform/DocumentsFolder.h"

namespace platform {
namespace {

// The XDG user dirs' documents folder ($HOME/Documents unless the user chose another).
class LinuxDocumentsFolder final : public DocumentsFolder {
 public:
  std::u16string Path() override {
    QString path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    while (path.size() > 1 && path.endsWith(u'/')) {
      path.chop(1);
    }
    return path.toStdU16String();
  }
};

}  // namespace

DocumentsFolder& SystemDocumentsFolder() {
  static LinuxDocumentsFolder folder;
  return folder;
}

}  // namespace platform
