#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace platform {

// The file and folder operations the player needs. Only WriteNewContent reports failures; the
// others answer whether they succeeded and callers may ignore that.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool DirectoryExists(const std::u16string& path) = 0;
  // Creates the folder and every missing parent.
  virtual bool ForceDirectories(const std::u16string& path) = 0;
  virtual bool FileExists(const std::u16string& path) = 0;
  virtual bool RemoveFile(const std::u16string& path) = 0;
  // Removes an empty folder.
  virtual bool RemoveDir(const std::u16string& path) = 0;
  // Creates or truncates the file and writes `content`. Never writes through a symbolic link or
  // into a file with other names: a planted link must not redirect the write. Throws Exception
  // "ファイル "<path>" を作成できません。<reason>" when the file cannot be created.
  virtual void WriteNewContent(const std::u16string& path, std::span<const std::byte> content) = 0;
};

FileSystem& SystemFileSystem();

}  // namespace platform
