#pragma once

#include <string>

namespace platform {

// The user's personal documents folder.
class DocumentsFolder {
 public:
  virtual ~DocumentsFolder() = default;
  // Full path without a trailing separator; empty when the system cannot tell.
  virtual std::u16string Path() = 0;
};

DocumentsFolder& SystemDocumentsFolder();

}  // namespace platform
