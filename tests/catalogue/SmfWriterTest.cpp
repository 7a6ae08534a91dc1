#include "pieces/SmfWriter.h"

#include <gtest/gtest.h>

#include <utility>

#include "multimedia/linux/sequencer/StandardMidiFile.h"

namespace catalogue {
namespace {

TEST(SmfWriterTest, VariableLengthQuantities) {
  const std::pair<std::uint32_t, std::vector<std::uint8_t>> cases[] = {
      {0, {0x00}},
      {0x7F, {0x7F}},
      {0x80, {0x81, 0x00}},
      {0x3FFF, {0xFF, 0x7F}},
      {0x4000, {0x81, 0x80, 0x00}},
      {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
  };
  for (const auto& [value, expected] : cases) {
    std::vector<std::uint8_t> out;
    AppendVariableLength(out, value);
    EXPECT_EQ(out, expected) << value;
  }
}

TEST(SmfWriterTest, WrittenFileReadsBackEventForEvent) {
  const std::vector<Track> tracks{
      {{{0, {0xFF, 0x03, 0x02, 'h', 'i'}}, {0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}}}, 960},
      {{{0, {0xC0, 10}},
        {0, {0x90, 60, 100}},
        {200, {0x80, 60, 0}},
        {200, {0xF0, 0x02, 0x7E, 0xF7}},
        {20000, {0x90, 62, 90}},
        {20001, {0x90, 62, 0}}},
       20001},
  };
  const std::vector<std::uint8_t> bytes = StandardMidiFileBytes(1, 96, tracks);

  smf::StandardMidiFile file;
  ASSERT_EQ(smf::ReadStandardMidiFile(bytes, file), smf::SmfError::kNone);
  EXPECT_EQ(file.format, 1);
  EXPECT_EQ(file.division.ticksPerQuarter, 96);
  ASSERT_EQ(file.tracks.size(), 2u);
  EXPECT_EQ(file.tracks[0].endTick, 960u);
  EXPECT_EQ(file.tracks[1].endTick, 20001u);

  const smf::MidiTrack& music = file.tracks[1];
  ASSERT_EQ(music.events.size(), 7u);  // with the end of track
  EXPECT_EQ(music.events[0].status, 0xC0);
  EXPECT_EQ(music.events[0].data1, 10);
  EXPECT_EQ(music.events[2].tick, 200u);
  EXPECT_EQ(music.events[2].status, 0x80);
  EXPECT_EQ(music.events[3].status, 0xF0);
  EXPECT_EQ(
      std::vector(music.Payload(music.events[3]).begin(), music.Payload(music.events[3]).end()),
      (std::vector<std::uint8_t>{0x7E, 0xF7}));
  EXPECT_EQ(music.events[4].tick, 20000u);
  EXPECT_EQ(music.events[5].data2, 0);
  EXPECT_EQ(music.events[6].metaType, smf::kMetaEndOfTrack);
}

TEST(SmfWriterTest, EndOfTrackNeverPrecedesTheLastEvent) {
  const std::vector<std::uint8_t> bytes =
      StandardMidiFileBytes(0, 48, {{{{0, {0x90, 60, 100}}, {100, {0x80, 60, 0}}}, 10}});
  smf::StandardMidiFile file;
  ASSERT_EQ(smf::ReadStandardMidiFile(bytes, file), smf::SmfError::kNone);
  EXPECT_EQ(file.tracks[0].endTick, 100u);
}

}  // namespace
}  // namespace catalogue
