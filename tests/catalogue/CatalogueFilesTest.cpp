// The committed catalogue: the pieces, their titles and the manifest.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "multimedia/linux/sequencer/StandardMidiFile.h"

namespace {

constexpr int kPieceCount = 120;
const std::filesystem::path kResources = KALVIO_RESOURCE_FOLDER;

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

std::vector<std::string> Lines(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  for (std::string field; std::getline(stream, field, '\t');) {
    fields.push_back(field);
  }
  if (!line.empty() && line.back() == '\t') {
    fields.emplace_back();
  }
  return fields;
}

std::filesystem::path PiecePath(int piece) {
  return kResources / "pieces" / ("RS_" + std::to_string(piece) + ".mid");
}

struct Piece {
  std::vector<std::uint8_t> bytes;
  smf::StandardMidiFile file;
};

class CatalogueFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (int piece = 1; piece <= kPieceCount; ++piece) {
      Piece& entry = pieces[piece];
      entry.bytes = FileBytes(PiecePath(piece));
      parseErrors[piece] = smf::ReadStandardMidiFile(entry.bytes, entry.file);
    }
  }
  static std::map<int, Piece> pieces;
  static std::map<int, smf::SmfError> parseErrors;
};
std::map<int, Piece> CatalogueFiles::pieces;
std::map<int, smf::SmfError> CatalogueFiles::parseErrors;

TEST_F(CatalogueFiles, EveryPieceIsAStandardMidiFileOfTheAllowedShape) {
  std::map<int, int> formats, divisions;
  for (const auto& [piece, entry] : pieces) {
    SCOPED_TRACE(PiecePath(piece));
    ASSERT_EQ(parseErrors[piece], smf::SmfError::kNone) << smf::Describe(parseErrors[piece]);
    EXPECT_GE(entry.bytes.size(), 2u * 1024);
    EXPECT_LE(entry.bytes.size(), 256u * 1024);
    EXPECT_TRUE(entry.file.format == 0 || entry.file.format == 1);
    if (entry.file.format == 0) {
      EXPECT_EQ(entry.file.tracks.size(), 1u);
    }
    const int division = entry.file.division.ticksPerQuarter;
    EXPECT_TRUE(division == 48 || division == 96 || division == 480 || division == 960);
    ++formats[entry.file.format];
    ++divisions[division];
  }
  EXPECT_GE(formats[0], 30);
  EXPECT_GE(formats[1], 30);
  for (const int division : {48, 96, 480, 960}) {
    EXPECT_GE(divisions[division], 15) << division;
  }
}

TEST_F(CatalogueFiles, EveryPieceNamesItsTitleAndCopyrightOnceAndHasNoEmptyNote) {
  const std::vector<std::string> titles = Lines(kResources / "titles.txt");
  ASSERT_EQ(titles.size(), static_cast<std::size_t>(kPieceCount));
  for (const auto& [piece, entry] : pieces) {
    SCOPED_TRACE(PiecePath(piece));
    std::vector<std::string> names, copyrights;
    for (const smf::MidiTrack& track : entry.file.tracks) {
      std::map<std::pair<int, int>, std::vector<std::uint32_t>> sounding;
      for (const smf::MidiEvent& event : track.events) {
        const auto payload = track.Payload(event);
        if (event.IsMeta() && event.metaType == 0x03) {
          names.emplace_back(payload.begin(), payload.end());
        } else if (event.IsMeta() && event.metaType == 0x02) {
          copyrights.emplace_back(payload.begin(), payload.end());
        }
        const int kind = event.status & 0xF0;
        const std::pair key{event.status & 0x0F, int{event.data1}};
        if (kind == 0x90 && event.data2 != 0) {
          sounding[key].push_back(event.tick);
        } else if ((kind == 0x80 || kind == 0x90) && !sounding[key].empty()) {
          EXPECT_GT(event.tick, sounding[key].front()) << "note " << key.second;
          sounding[key].erase(sounding[key].begin());
        }
      }
    }
    EXPECT_EQ(names, std::vector{titles[static_cast<std::size_t>(piece - 1)]});
    EXPECT_EQ(copyrights.size(), 1u);
  }
}

// What a listener hears: every note's start (in 1/960 quarter notes), channel and key.
std::vector<std::tuple<std::uint64_t, int, int>> Notes(const smf::StandardMidiFile& file) {
  std::vector<std::tuple<std::uint64_t, int, int>> notes;
  for (const smf::MidiTrack& track : file.tracks) {
    for (const smf::MidiEvent& event : track.events) {
      if ((event.status & 0xF0) == 0x90 && event.data2 != 0) {
        const std::uint64_t tick = track.startTick + event.tick;
        notes.emplace_back(tick * 960 / file.division.ticksPerQuarter, event.status & 0x0F,
                           event.data1);
      }
    }
  }
  std::ranges::sort(notes);
  return notes;
}

TEST_F(CatalogueFiles, NoTwoPiecesAreAlike) {
  // Keyed by text: GCC 12 at -O3 warns falsely on comparing byte vectors.
  std::map<std::string, int> byBytes;
  std::map<std::vector<std::tuple<std::uint64_t, int, int>>, int> byNotes;
  for (const auto& [piece, entry] : pieces) {
    const auto [bytesAt, newBytes] =
        byBytes.emplace(std::string(entry.bytes.begin(), entry.bytes.end()), piece);
    EXPECT_TRUE(newBytes) << "RS_" << piece << " has the bytes of RS_" << bytesAt->second;
    const auto [notesAt, newNotes] = byNotes.emplace(Notes(entry.file), piece);
    EXPECT_TRUE(newNotes) << "RS_" << piece << " has the notes of RS_" << notesAt->second;
  }
}

TEST(CatalogueTitles, RowsNameThePiecesInOrderWithTwoSharedTitles) {
  const std::vector<std::string> titles = Lines(kResources / "titles.txt");
  ASSERT_EQ(titles.size(), static_cast<std::size_t>(kPieceCount));
  EXPECT_EQ(titles[36], "ジングルベル");
  EXPECT_EQ(titles[39], "きよしこの夜");
  std::map<std::string, std::vector<int>> pieces;
  for (std::size_t row = 0; row < titles.size(); ++row) {
    EXPECT_FALSE(titles[row].empty()) << row;
    pieces[titles[row]].push_back(static_cast<int>(row) + 1);
  }
  std::set<std::vector<int>> shared;
  for (const auto& [title, numbers] : pieces) {
    if (numbers.size() > 1) {
      shared.insert(numbers);
    }
  }
  EXPECT_EQ(shared, (std::set<std::vector<int>>{{33, 68}, {50, 67}}));
}

TEST(CatalogueManifest, ListsEveryPieceAsStoredAndInThePublicDomain) {
  const std::vector<std::string> rows = Lines(kResources / "tunes" / "manifest");
  const std::vector<std::string> titles = Lines(kResources / "titles.txt");
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kPieceCount) + 1);
  EXPECT_EQ(Fields(rows[0]), (std::vector<std::string>{"piece", "title", "composer", "died",
                                                       "origin", "format", "division"}));
  for (int piece = 1; piece <= kPieceCount; ++piece) {
    const std::vector<std::string> fields = Fields(rows[static_cast<std::size_t>(piece)]);
    ASSERT_EQ(fields.size(), 7u) << rows[static_cast<std::size_t>(piece)];
    EXPECT_EQ(fields[0], std::to_string(piece));
    EXPECT_EQ(fields[1], titles[static_cast<std::size_t>(piece - 1)]);
    EXPECT_FALSE(fields[2].empty());
    // Traditional (no year), or a composer who died well over 70 years ago.
    if (!fields[3].empty()) {
      EXPECT_LE(std::stoi(fields[3]), 1950) << piece;
    }
    smf::StandardMidiFile file;
    ASSERT_EQ(smf::ReadStandardMidiFile(PiecePath(piece), file), smf::SmfError::kNone);
    EXPECT_EQ(fields[5], std::to_string(file.format)) << piece;
    EXPECT_EQ(fields[6], std::to_string(file.division.ticksPerQuarter)) << piece;
  }
}

}  // namespace
