#include "player/TrackExtraction.h"

#include "platform/PathDelimiter.h"
#include "player/Catalogue.h"
#include "player/Unit1.h"

using platform::kPathDelimiter;

std::u16string TemporaryFolderOf(const std::u16string& spDir) {
  return spDir + kPathDelimiter + u"test";
}

std::u16string TemporaryFileOf(const std::u16string& spDir) {
  return TemporaryFolderOf(spDir) + kPathDelimiter + u"test.mid";
}

// Copies piece SaundIndex to the temporary file. A missing resource or a file that cannot be
// created raises its error; the file is created without following links planted in its place.
void TForm1::ExtractPiece() {
  myStream = FResources.Load(PieceResourceName(SaundIndex), platform::ResourceType::RcData);
  const std::u16string folder = TemporaryFolderOf(SpDir);
  if (!FFiles.DirectoryExists(folder)) {
    FFiles.ForceDirectories(folder);
  }
  FFiles.WriteNewContent(TemporaryFileOf(SpDir), *myStream);
}

// At exit: the file, then the folder if nothing else is left in it.
void TForm1::RemoveTemporaryFiles() {
  const std::u16string file = TemporaryFileOf(SpDir);
  if (FFiles.FileExists(file)) {
    FFiles.RemoveFile(file);
  }
  const std::u16string folder = TemporaryFolderOf(SpDir);
  if (FFiles.DirectoryExists(folder)) {
    FFiles.RemoveDir(folder);
  }
}
