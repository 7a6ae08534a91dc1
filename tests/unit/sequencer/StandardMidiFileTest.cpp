#include "multimedia/linux/sequencer/StandardMidiFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "sequencer/MidiFileBuilder.h"

namespace {

using midi_test::Bytes;
using midi_test::TrackBuilder;
using smf::SmfError;

SmfError Read(const Bytes& bytes, smf::StandardMidiFile& file) {
  return smf::ReadStandardMidiFile(std::span<const std::uint8_t>(bytes), file);
}

SmfError Read(const Bytes& bytes) {
  smf::StandardMidiFile file;
  return Read(bytes, file);
}

TEST(StandardMidiFile, ReadsEveryKindOfEventWithRunningStatus) {
  TrackBuilder track;
  track.NoteOn(0, 0, 60)
      .Event(10, {62, 90})  // running status: another note on
      .Event(0, {0xA1, 60, 20})
      .Controller(0, 2, 7, 100)
      .Program(5, 3, 19)
      .Event(0, {0xD4, 33})
      .Event(0, {0xE5, 0x00, 0x40})
      .SysEx(1, 0xF0, {0x7E, 0x7F, 0x09, 0x01, 0xF7})
      .SysEx(0, 0xF7, {0xF0, 0x41, 0xF7})
      .Meta(0, 0x03, {'T', 'u', 'n', 'e'})
      .Event(0, {64, 0})  // running status (pitch bend) survives meta and SysEx events
      .End(20);
  smf::StandardMidiFile file;
  ASSERT_EQ(Read(midi_test::MidiFile(0, 96, {track}), file), SmfError::kNone);

  EXPECT_EQ(file.format, 0);
  EXPECT_EQ(file.division.ticksPerQuarter, 96);
  EXPECT_FALSE(file.division.IsSmpte());
  ASSERT_EQ(file.tracks.size(), 1u);
  const smf::MidiTrack& read = file.tracks[0];
  struct Expected {
    std::uint32_t tick;
    std::uint8_t status, data1, data2;
  };
  const Expected channel[] = {{0, 0x90, 60, 100}, {10, 0x90, 62, 90}, {10, 0xA1, 60, 20},
                              {10, 0xB2, 7, 100}, {15, 0xC3, 19, 0},  {15, 0xD4, 33, 0},
                              {15, 0xE5, 0, 0x40}};
  ASSERT_EQ(read.events.size(), 12u);
  for (std::size_t i = 0; i < std::size(channel); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(read.events[i].tick, channel[i].tick);
    EXPECT_EQ(read.events[i].status, channel[i].status);
    EXPECT_EQ(read.events[i].data1, channel[i].data1);
    EXPECT_EQ(read.events[i].data2, channel[i].data2);
  }
  EXPECT_EQ(read.events[7].tick, 16u);
  EXPECT_TRUE(read.events[7].IsSysEx());
  EXPECT_EQ(Bytes(read.Payload(read.events[7]).begin(), read.Payload(read.events[7]).end()),
            (Bytes{0x7E, 0x7F, 0x09, 0x01, 0xF7}));
  EXPECT_EQ(read.events[8].status, 0xF7);
  EXPECT_EQ(read.Payload(read.events[8]).size(), 3u);
  EXPECT_TRUE(read.events[9].IsMeta());
  EXPECT_EQ(read.events[9].metaType, 0x03);
  EXPECT_EQ(std::string(read.Payload(read.events[9]).begin(), read.Payload(read.events[9]).end()),
            "Tune");
  EXPECT_EQ(read.events[10].status, 0xE5);
  EXPECT_EQ(read.events[10].data1, 64);
  EXPECT_EQ(read.events[11].metaType, smf::kMetaEndOfTrack);
  EXPECT_EQ(read.endTick, 36u);
  EXPECT_EQ(file.EndTick(), 36u);
}

TEST(StandardMidiFile, FormatTwoPlaysItsTracksOneAfterAnother) {
  TrackBuilder first, second, third;
  first.NoteOn(0, 0, 60).NoteOff(96, 0, 60).End();
  second.NoteOn(10, 0, 62).End(182);
  third.NoteOn(0, 0, 64).End(48);
  smf::StandardMidiFile file;
  ASSERT_EQ(Read(midi_test::MidiFile(2, 96, {first, second, third}), file), SmfError::kNone);
  ASSERT_EQ(file.tracks.size(), 3u);
  EXPECT_EQ(file.tracks[0].startTick, 0u);
  EXPECT_EQ(file.tracks[1].startTick, 96u);
  EXPECT_EQ(file.tracks[2].startTick, 96u + 192u);
  EXPECT_EQ(file.EndTick(), 96u + 192u + 48u);
}

TEST(StandardMidiFile, FormatOneTracksAllStartAtZeroAndTheLongestEndsTheSong) {
  TrackBuilder conductor, melody;
  conductor.Tempo(0, 400000).End(10);
  melody.NoteOn(0, 0, 60).NoteOff(500, 0, 60);  // no end-of-track event: ends at its last event
  smf::StandardMidiFile file;
  ASSERT_EQ(Read(midi_test::MidiFile(1, 480, {conductor, melody}), file), SmfError::kNone);
  EXPECT_EQ(file.tracks[1].startTick, 0u);
  EXPECT_EQ(file.tracks[1].endTick, 500u);
  EXPECT_EQ(file.EndTick(), 500u);
}

TEST(StandardMidiFile, SkipsUnknownChunksAndIgnoresBytesAfterTheEndOfTrack) {
  TrackBuilder track;
  track.NoteOn(0, 0, 60).End(10).NoteOn(5, 0, 70);
  Bytes bytes = midi_test::Header(0, 1, 96);
  const Bytes unknown = midi_test::Chunk("XFIH", {1, 2, 3});
  bytes.insert(bytes.end(), unknown.begin(), unknown.end());
  const Bytes chunk = track.Chunk();
  bytes.insert(bytes.end(), chunk.begin(), chunk.end());
  smf::StandardMidiFile file;
  ASSERT_EQ(Read(bytes, file), SmfError::kNone);
  EXPECT_EQ(file.tracks[0].events.size(), 2u);
  EXPECT_EQ(file.tracks[0].endTick, 10u);
}

TEST(StandardMidiFile, UnwrapsARiffMidiFile) {
  TrackBuilder track;
  track.NoteOn(0, 0, 60).End(96);
  const Bytes midi = midi_test::MidiFile(0, 96, {track});
  auto littleEndian = [](Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
      out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
  };
  Bytes riff = {'R', 'I', 'F', 'F'};
  littleEndian(riff, static_cast<std::uint32_t>(4 + 8 + 2 + 8 + midi.size()));
  riff.insert(riff.end(), {'R', 'M', 'I', 'D', 'L', 'I', 'S', 'T'});
  littleEndian(riff, 1);
  riff.insert(riff.end(), {0, 0});  // one byte and its padding
  riff.insert(riff.end(), {'d', 'a', 't', 'a'});
  littleEndian(riff, static_cast<std::uint32_t>(midi.size()));
  riff.insert(riff.end(), midi.begin(), midi.end());
  smf::StandardMidiFile file;
  ASSERT_EQ(Read(riff, file), SmfError::kNone);
  EXPECT_EQ(file.EndTick(), 96u);
}

TEST(StandardMidiFile, ReadsMetricalAndSmpteDivisions) {
  struct Case {
    std::uint16_t word;
    std::uint16_t ticksPerQuarter;
    std::uint8_t framesPerSecond, ticksPerFrame;
  };
  const Case cases[] = {{48, 48, 0, 0},
                        {96, 96, 0, 0},
                        {480, 480, 0, 0},
                        {960, 960, 0, 0},
                        {7, 7, 0, 0},
                        {0x7FFF, 0x7FFF, 0, 0},
                        {midi_test::SmpteDivision(24, 4), 0, 24, 4},
                        {midi_test::SmpteDivision(25, 40), 0, 25, 40},
                        {midi_test::SmpteDivision(29, 80), 0, 29, 80},
                        {midi_test::SmpteDivision(30, 100), 0, 30, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    TrackBuilder track;
    track.End();
    smf::StandardMidiFile file;
    ASSERT_EQ(Read(midi_test::MidiFile(0, c.word, {track}), file), SmfError::kNone);
    EXPECT_EQ(file.division.ticksPerQuarter, c.ticksPerQuarter);
    EXPECT_EQ(file.division.framesPerSecond, c.framesPerSecond);
    EXPECT_EQ(file.division.ticksPerFrame, c.ticksPerFrame);
  }
}

Bytes WithHeader(const Bytes& header, const Bytes& trackBody) {
  Bytes out = header;
  const Bytes chunk = midi_test::Chunk("MTrk", trackBody);
  out.insert(out.end(), chunk.begin(), chunk.end());
  return out;
}

Bytes OneTrack(const Bytes& trackBody) {
  return WithHeader(midi_test::Header(0, 1, 96), trackBody);
}

TEST(StandardMidiFile, RefusesMalformedFilesWithTheirOwnCode) {
  TrackBuilder good;
  good.NoteOn(0, 0, 60).End(96);
  const Bytes goodFile = midi_test::MidiFile(0, 96, {good});
  Bytes chunkTooLong = goodFile;
  chunkTooLong[21] = 0x40;  // the track chunk's length, low byte
  Bytes headerLengthPastEnd = goodFile;
  headerLengthPastEnd[4] = 0x7F;

  struct Case {
    const char* name;
    Bytes bytes;
    SmfError error;
  };
  const Case cases[] = {
      {"empty", {}, SmfError::kNotMidiFile},
      {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}, SmfError::kNotMidiFile},
      {"riff without RMID",
       {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'},
       SmfError::kNotMidiFile},
      {"header too short", midi_test::Chunk("MThd", {0, 0, 0, 1}), SmfError::kBadHeader},
      {"header length past the end", headerLengthPastEnd, SmfError::kBadChunkLength},
      {"format 3", WithHeader(midi_test::Header(3, 1, 96), good.Body()),
       SmfError::kUnsupportedFormat},
      {"no tracks", midi_test::Header(1, 0, 96), SmfError::kNoTracks},
      {"division 0", WithHeader(midi_test::Header(0, 1, 0), good.Body()), SmfError::kBadDivision},
      {"SMPTE rate 23",
       WithHeader(midi_test::Header(0, 1, midi_test::SmpteDivision(23, 4)), good.Body()),
       SmfError::kBadDivision},
      {"SMPTE 0 ticks a frame",
       WithHeader(midi_test::Header(0, 1, midi_test::SmpteDivision(25, 0)), good.Body()),
       SmfError::kBadDivision},
      {"track chunk longer than the file", chunkTooLong, SmfError::kBadChunkLength},
      {"fewer tracks than announced", WithHeader(midi_test::Header(1, 2, 96), good.Body()),
       SmfError::kMissingTrack},
      {"event cut short", OneTrack({0x00, 0x90, 60}), SmfError::kTruncatedTrack},
      {"delta cut short", OneTrack({0x00, 0x90, 60, 100, 0x81}), SmfError::kTruncatedTrack},
      {"meta longer than its track", OneTrack({0x00, 0xFF, 0x01, 0x20, 'a'}),
       SmfError::kTruncatedTrack},
      {"SysEx longer than its track", OneTrack({0x00, 0xF0, 0x8F, 0xFF, 0xFF, 0x7F, 0x01}),
       SmfError::kTruncatedTrack},
      {"five-byte delta", OneTrack({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 100}),
       SmfError::kBadVariableLength},
      {"data byte first", OneTrack({0x00, 60, 100}), SmfError::kMissingStatus},
      {"status inside a message", OneTrack({0x00, 0x90, 60, 0x80}), SmfError::kBadDataByte},
      {"system common in a file", OneTrack({0x00, 0xF2, 0x00, 0x00}), SmfError::kBadStatus},
      {"real-time byte in a file", OneTrack({0x00, 0xF8}), SmfError::kBadStatus},
      {"tempo of two bytes", OneTrack({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1}), SmfError::kBadTempo},
      {"tempo 0", OneTrack({0x00, 0xFF, 0x51, 0x03, 0, 0, 0}), SmfError::kBadTempo},
      {"ticks past 2^32",
       OneTrack({0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60,   100,  0xFF, 0xFF, 0xFF, 0x7F, 60,   0,
                 0xFF, 0xFF, 0xFF, 0x7F, 60,   0,    0xFF, 0xFF, 0xFF, 0x7F, 60,   0,    0xFF,
                 0xFF, 0xFF, 0x7F, 60,   0,    0xFF, 0xFF, 0xFF, 0x7F, 60,   0,    0xFF, 0xFF,
                 0xFF, 0x7F, 60,   0,    0xFF, 0xFF, 0xFF, 0x7F, 60,   0,    0xFF, 0xFF, 0xFF,
                 0x7F, 60,   0,    0xFF, 0xFF, 0xFF, 0x7F, 60,   0,    0xFF, 0xFF, 0xFF, 0x7F,
                 60,   0,    0xFF, 0xFF, 0xFF, 0x7F, 60,   0,    0xFF, 0xFF, 0xFF, 0x7F, 60,
                 0,    0xFF, 0xFF, 0xFF, 0x7F, 60,   0,    0xFF, 0xFF, 0xFF, 0x7F, 60,   0,
                 0xFF, 0xFF, 0xFF, 0x7F, 60,   0,    0xFF, 0xFF, 0xFF, 0x7F, 60,   0}),
       SmfError::kTooLong},
      {"one delta of 16 days", OneTrack({0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 100}),
       SmfError::kTooLong},
      {"too large", Bytes(smf::kMaxFileBytes + 1, 0), SmfError::kFileTooLarge},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    smf::StandardMidiFile file;
    file.format = 1;
    EXPECT_EQ(Read(c.bytes, file), c.error);
    EXPECT_TRUE(file.tracks.empty());
    EXPECT_EQ(file.format, 0);
    EXPECT_FALSE(smf::Describe(c.error).empty());
  }
}

TEST(StandardMidiFile, EveryCutOfAGoodFileIsRefused) {
  TrackBuilder conductor, melody;
  conductor.Tempo(0, 600000).Meta(0, 0x58, {4, 2, 24, 8}).End(400);
  melody.Program(0, 0, 5)
      .NoteOn(0, 0, 60)
      .SysEx(0, 0xF0, {0x41, 0x10, 0xF7})
      .Event(200, {60, 0})
      .End(10);
  const Bytes bytes = midi_test::MidiFile(1, 480, {conductor, melody});
  ASSERT_EQ(Read(bytes), SmfError::kNone);
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    SCOPED_TRACE(size);
    EXPECT_NE(Read(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size))),
              SmfError::kNone);
  }
}

TEST(StandardMidiFile, ReadsFromDiskAndTellsAMissingFileFromABadOne) {
  const auto folder = std::filesystem::temp_directory_path() / "kalvio-smf-test";
  std::filesystem::create_directories(folder);
  TrackBuilder track;
  track.NoteOn(0, 0, 60).End(96);
  midi_test::WriteFile(folder / "good.mid", midi_test::MidiFile(0, 96, {track}));
  midi_test::WriteFile(folder / "bad.mid", {'M', 'T', 'h', 'd'});

  smf::StandardMidiFile file;
  EXPECT_EQ(smf::ReadStandardMidiFile(folder / "good.mid", file), SmfError::kNone);
  EXPECT_EQ(file.EndTick(), 96u);
  EXPECT_EQ(smf::ReadStandardMidiFile(folder / "bad.mid", file), SmfError::kBadHeader);
  EXPECT_EQ(smf::ReadStandardMidiFile(folder / "missing.mid", file), SmfError::kCannotOpen);
  EXPECT_EQ(smf::ReadStandardMidiFile(folder, file), SmfError::kCannotOpen);
  std::filesystem::remove_all(folder);
}

}  // namespace
