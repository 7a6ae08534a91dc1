// make_pieces <tunes folder> <abc2midi output folder> <resources folder>
//
// Turns abc2midi's rendering NNN.mid of each tune NNN.abc into the catalogue's piece
// pieces/RS_n.mid, and writes tunes/manifest and titles.txt from the tunes' headers. Every
// problem is reported; the exit status is 1 when any piece could not be made.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CatalogueEntry.h"
#include "Normaliser.h"
#include "multimedia/linux/sequencer/StandardMidiFile.h"

namespace {

namespace fs = std::filesystem;

std::string ThreeDigits(int piece) {
  char text[8];
  std::snprintf(text, sizeof text, "%03d", piece);
  return text;
}

bool WriteFile(const fs::path& path, const void* data, std::size_t size) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  file.close();
  if (!file) {
    std::fprintf(stderr, "make_pieces: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

bool WriteText(const fs::path& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + '\n';
  }
  return WriteFile(path, text.data(), text.size());
}

// Makes one piece; returns its manifest row, or an empty string after reporting the problem.
std::string MakePiece(int piece, const fs::path& tunes, const fs::path& rendered,
                      const fs::path& resources, std::string& title) {
  const fs::path abc = tunes / (ThreeDigits(piece) + ".abc");
  const auto header = catalogue::ReadAbcHeader(abc);
  if (!header) {
    std::fprintf(stderr, "make_pieces: %s is missing\n", abc.c_str());
    return {};
  }
  if (header->title.empty() || header->composer.empty() || header->origin.empty() ||
      !catalogue::DeathYear(header->notes)) {
    std::fprintf(stderr,
                 "make_pieces: %s needs T:, C:, O: and N: (\"composer died YYYY\" or "
                 "\"traditional\")\n",
                 abc.c_str());
    return {};
  }
  const fs::path midi = rendered / (ThreeDigits(piece) + ".mid");
  smf::StandardMidiFile source;
  if (const smf::SmfError error = smf::ReadStandardMidiFile(midi, source);
      error != smf::SmfError::kNone) {
    std::fprintf(stderr, "make_pieces: %s: %s\n", midi.c_str(),
                 std::string(smf::Describe(error)).c_str());
    return {};
  }
  const catalogue::PieceLayout layout = catalogue::LayoutOf(piece, *header);
  const std::vector<std::uint8_t> bytes = catalogue::NormalisedFile(source, layout);
  const fs::path output = resources / "pieces" / ("RS_" + std::to_string(piece) + ".mid");
  if (!WriteFile(output, bytes.data(), bytes.size())) {
    return {};
  }
  title = header->title;
  return catalogue::ManifestRow(piece, *header, layout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr,
                 "usage: make_pieces <tunes folder> <abc2midi output folder> <resources folder>\n");
    return 2;
  }
  const fs::path tunes = argv[1];
  const fs::path rendered = argv[2];
  const fs::path resources = argv[3];
  fs::create_directories(resources / "pieces");
  fs::create_directories(resources / "tunes");

  std::vector<std::string> manifest{catalogue::ManifestHeading()};
  std::vector<std::string> titles;
  bool complete = true;
  for (int piece = 1; piece <= catalogue::kPieceCount; ++piece) {
    std::string title;
    const std::string row = MakePiece(piece, tunes, rendered, resources, title);
    complete = complete && !row.empty();
    manifest.push_back(row);
    titles.push_back(title);
  }
  // A partial list would misnumber the catalogue: write the lists only when every piece is made.
  if (!complete) {
    return 1;
  }
  return WriteText(resources / "tunes" / "manifest", manifest) &&
                 WriteText(resources / "titles.txt", titles)
             ? 0
             : 1;
}
