#include "multimedia/linux/sequencer/TempoMap.h"

#include <gtest/gtest.h>

#include "sequencer/MidiFileBuilder.h"

namespace {

using midi_test::TrackBuilder;

smf::StandardMidiFile Parse(const midi_test::Bytes& bytes) {
  smf::StandardMidiFile file;
  EXPECT_EQ(smf::ReadStandardMidiFile(std::span<const std::uint8_t>(bytes), file),
            smf::SmfError::kNone);
  return file;
}

TEST(TempoMap, FollowsTempoChangesFromAnyTrackOfAFormatOneFile) {
  // 120 bpm for 2 quarters (1 s), 60 bpm for 1 quarter (1 s), then 240 bpm.
  TrackBuilder conductor, other;
  conductor.Tempo(960, 1000000).End(1000);
  other.Tempo(1440, 250000).End(1920);
  const smf::TempoMap map(Parse(midi_test::MidiFile(1, 480, {conductor, other})));
  struct Case {
    std::uint64_t tick, microseconds;
  };
  const Case cases[] = {{0, 0},          {480, 500000},   {960, 1000000}, {1200, 1500000},
                        {1440, 2000000}, {1920, 2250000}, {1, 1041}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tick);
    EXPECT_EQ(map.TickToMicroseconds(c.tick), c.microseconds);
    if (c.microseconds % 1000 == 0) {
      EXPECT_EQ(map.TickToMilliseconds(c.tick), c.microseconds / 1000);
      EXPECT_EQ(map.MicrosecondsToTick(c.microseconds), c.tick);
    }
  }
  EXPECT_EQ(map.MicrosecondsToTick(1041), 1u);
  EXPECT_EQ(map.MicrosecondsToTick(1042), 2u);  // the first tick at or after the time
}

TEST(TempoMap, LaterTempoAtTheSameTickWins) {
  TrackBuilder track;
  track.Tempo(0, 1000000).Tempo(0, 2000000).End(96);
  const smf::TempoMap map(Parse(midi_test::MidiFile(0, 96, {track})));
  EXPECT_EQ(map.TickToMicroseconds(96), 2000000u);
}

TEST(TempoMap, DivisionsTurnTicksIntoTheSameTime) {
  struct Case {
    std::uint16_t division;
    std::uint32_t ticks;
    std::uint64_t microseconds;
  };
  const Case cases[] = {
      {48, 48, 500000},
      {96, 96, 500000},
      {480, 480 * 3, 1500000},
      {960, 960, 500000},
      {7, 7 * 10, 5000000},
      {midi_test::SmpteDivision(24, 4), 96, 1000000},
      {midi_test::SmpteDivision(25, 40), 1000, 1000000},
      {midi_test::SmpteDivision(30, 100), 3000, 1000000},
      {midi_test::SmpteDivision(29, 100), 30000, 10010000},  // 29.97 frames a second
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.division);
    TrackBuilder track;
    track.Tempo(0, 500000).NoteOn(0, 0, 60).End(c.ticks);
    const smf::StandardMidiFile file = Parse(midi_test::MidiFile(0, c.division, {track}));
    const smf::TempoMap map(file);
    EXPECT_EQ(map.TickToMicroseconds(file.EndTick()), c.microseconds);
    EXPECT_EQ(map.MicrosecondsToTick(c.microseconds), c.ticks);
  }
}

TEST(TempoMap, SmpteFilesIgnoreTempoEvents) {
  TrackBuilder track;
  track.Tempo(0, 250000).End(250);
  const smf::TempoMap map(Parse(midi_test::MidiFile(0, midi_test::SmpteDivision(25, 10), {track})));
  EXPECT_EQ(map.TickToMilliseconds(250), 1000u);
}

TEST(TempoMap, FormatTwoTempoEventsApplyFromTheirTracksStart) {
  TrackBuilder first, second;
  first.Tempo(0, 1000000).End(96);  // 1 s
  second.Tempo(0, 250000).End(96);  // 0.25 s, starting at 1 s
  const smf::StandardMidiFile file = Parse(midi_test::MidiFile(2, 96, {first, second}));
  const smf::TempoMap map(file);
  EXPECT_EQ(map.TickToMicroseconds(96), 1000000u);
  EXPECT_EQ(map.TickToMicroseconds(file.EndTick()), 1250000u);
}

}  // namespace
