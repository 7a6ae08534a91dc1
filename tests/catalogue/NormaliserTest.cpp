#include "pieces/Normaliser.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "multimedia/linux/sequencer/FontLevels.h"
#include "sequencer/MidiFileBuilder.h"

namespace catalogue {
namespace {

using midi_test::TrackBuilder;

smf::StandardMidiFile Parsed(const midi_test::Bytes& bytes) {
  smf::StandardMidiFile file;
  EXPECT_EQ(smf::ReadStandardMidiFile(bytes, file), smf::SmfError::kNone);
  return file;
}

// The normalised file, read back by the sequencer's reader.
smf::StandardMidiFile Normalised(const midi_test::Bytes& source, std::uint16_t format,
                                 std::uint16_t division,
                                 std::optional<std::uint8_t> expression = std::nullopt) {
  const PieceLayout layout{format,     division, "ふるさと", "Arrangement: Kalvio, CC0-1.0",
                           expression, {}};
  const std::vector<std::uint8_t> bytes = NormalisedFile(Parsed(source), layout);
  return Parsed(bytes);
}

std::string Text(const smf::MidiTrack& track, const smf::MidiEvent& event) {
  const auto payload = track.Payload(event);
  return {payload.begin(), payload.end()};
}

std::vector<std::uint32_t> NoteOnTicks(const smf::MidiTrack& track) {
  std::vector<std::uint32_t> ticks;
  for (const smf::MidiEvent& event : track.events) {
    if ((event.status & 0xF0) == 0x90 && event.data2 != 0) {
      ticks.push_back(event.tick);
    }
  }
  return ticks;
}

TEST(NormaliserTest, TicksAreRoundedToTheNewDivision) {
  TrackBuilder notes;
  notes.NoteOn(1, 0, 60)
      .NoteOn(3, 0, 61)
      .NoteOn(1, 0, 62)
      .NoteOn(474, 0, 63)
      .NoteOn(481, 0, 64)
      .End();
  // Source ticks 1, 4, 5, 479, 960 at 480 per quarter.
  const midi_test::Bytes source = midi_test::MidiFile(0, 480, {notes});
  const struct {
    std::uint16_t division;
    std::vector<std::uint32_t> ticks;
  } cases[] = {
      {48, {0, 0, 1, 48, 96}},  // 0.1, 0.4, 0.5 (half rounds up), 47.9, 96
      {96, {0, 1, 1, 96, 192}},
      {480, {1, 4, 5, 479, 960}},
      {960, {2, 8, 10, 958, 1920}},
  };
  for (const auto& [division, ticks] : cases) {
    const smf::StandardMidiFile file = Normalised(source, 0, division);
    EXPECT_EQ(file.division.ticksPerQuarter, division);
    EXPECT_EQ(NoteOnTicks(file.tracks[0]), ticks) << division;
  }
}

TEST(NormaliserTest, OneCopyrightAndOneTitleReplaceTheSourceTexts) {
  TrackBuilder conductor;
  conductor.Meta(0, 0x01, {'n', 'o', 't', 'e'})
      .Meta(0, 0x03, {'o', 'l', 'd'})
      .Tempo(0, 500000)
      .End(960);
  TrackBuilder melody;
  melody.Meta(0, 0x03, {'v', '1'})
      .Meta(0, 0x02, {'c'})
      .NoteOn(0, 0, 60)
      .Meta(10, 0x01, {'%'})
      .NoteOff(470, 0, 60)
      .End();
  const midi_test::Bytes source = midi_test::MidiFile(1, 480, {conductor, melody});

  for (const std::uint16_t format : {0, 1}) {
    const smf::StandardMidiFile file = Normalised(source, format, 96);
    int texts = 0;
    for (const smf::MidiTrack& track : file.tracks) {
      for (const smf::MidiEvent& event : track.events) {
        texts += event.IsMeta() && event.metaType >= 0x01 && event.metaType <= 0x0F ? 1 : 0;
      }
    }
    EXPECT_EQ(texts, 2) << format;
    const smf::MidiTrack& first = file.tracks[0];
    ASSERT_GE(first.events.size(), 2u);
    EXPECT_EQ(first.events[0].metaType, 0x02);
    EXPECT_EQ(Text(first, first.events[0]), "Arrangement: Kalvio, CC0-1.0");
    EXPECT_EQ(first.events[1].metaType, 0x03);
    EXPECT_EQ(Text(first, first.events[1]), "ふるさと");
    EXPECT_EQ(first.events[1].tick, 0u);
  }
}

TEST(NormaliserTest, FormatZeroMergesEveryTrackInTickOrder) {
  TrackBuilder conductor;
  conductor.Tempo(0, 500000).Tempo(960, 400000).End();
  TrackBuilder melody;
  melody.Program(0, 0, 10).NoteOn(0, 0, 72).NoteOff(960, 0, 72).End();
  TrackBuilder bass;
  bass.NoteOn(480, 1, 36).NoteOff(960, 1, 36).End();
  const smf::StandardMidiFile file =
      Normalised(midi_test::MidiFile(1, 480, {conductor, melody, bass}), 0, 48);

  EXPECT_EQ(file.format, 0);
  ASSERT_EQ(file.tracks.size(), 1u);
  std::vector<std::pair<std::uint32_t, std::uint8_t>> events;
  for (const smf::MidiEvent& event : file.tracks[0].events) {
    events.emplace_back(event.tick, event.IsMeta() ? event.metaType : event.status);
  }
  const std::vector<std::pair<std::uint32_t, std::uint8_t>> expected{
      {0, 0x02},  {0, 0x03},  {0, 0x51},  {0, 0xC0},   {0, 0x90},
      {48, 0x91}, {96, 0x51}, {96, 0x80}, {144, 0x81}, {192, 0x2F}};
  EXPECT_EQ(events, expected);
}

// The piece's level: each channel's expression set once, before anything else it plays.
TEST(NormaliserTest, ExpressionPrecedesEveryChannelsFirstMessageInBothFormats) {
  TrackBuilder conductor;
  conductor.Tempo(0, 500000).End();
  TrackBuilder melody;
  melody.Program(0, 0, 10).NoteOn(480, 0, 72).NoteOff(480, 0, 72).End();
  TrackBuilder chords;  // two channels, one of them the melody's too
  chords.NoteOn(960, 1, 48).NoteOn(0, 0, 52).NoteOff(480, 1, 48).NoteOff(0, 0, 52).End();
  const midi_test::Bytes source = midi_test::MidiFile(1, 480, {conductor, melody, chords});
  for (const std::uint16_t format : {0, 1}) {
    const smf::StandardMidiFile file = Normalised(source, format, 96, 90);
    std::vector<std::tuple<std::size_t, int, int>> expressions;  // track, channel, value
    std::array<bool, 16> seen{};
    for (std::size_t t = 0; t < file.tracks.size(); ++t) {
      for (const smf::MidiEvent& event : file.tracks[t].events) {
        if (!event.IsChannelMessage()) {
          continue;
        }
        const int channel = event.status & 0x0F;
        if ((event.status & 0xF0) == 0xB0 && event.data1 == 11) {
          EXPECT_EQ(event.tick, 0u);
          expressions.emplace_back(t, channel, event.data2);
        } else {
          EXPECT_TRUE(seen[static_cast<std::size_t>(channel)]) << "channel " << channel;
        }
        seen[static_cast<std::size_t>(channel)] = true;
      }
    }
    const std::vector<std::tuple<std::size_t, int, int>> expected =
        format == 0 ? std::vector<std::tuple<std::size_t, int, int>>{{0, 0, 90}, {0, 1, 90}}
                    : std::vector<std::tuple<std::size_t, int, int>>{{1, 0, 90}, {2, 1, 90}};
    EXPECT_EQ(expressions, expected) << "format " << format;
  }
}

// Each other soundfont's expression rides along at the start, where the sequencer looks for it.
TEST(NormaliserTest, EachSoundFontsExpressionIsReadBackByItsName) {
  TrackBuilder melody;
  melody.Tempo(0, 500000).NoteOn(0, 0, 60).NoteOff(480, 0, 60).End();
  const midi_test::Bytes source = midi_test::MidiFile(0, 480, {melody});
  for (const std::uint16_t format : {0, 1}) {
    PieceLayout layout{format, 96, "t", "c", 90, {{"FluidR3_GM", 100}, {"Other", 50}}};
    const smf::StandardMidiFile file = Parsed(NormalisedFile(Parsed(source), layout));
    EXPECT_EQ(smf::FontExpression(file, "FluidR3_GM"), 100) << "format " << format;
    EXPECT_EQ(smf::FontExpression(file, "Other"), 50) << "format " << format;
    EXPECT_EQ(smf::FontExpression(file, "Fluid"), std::nullopt) << "format " << format;
    EXPECT_EQ(smf::FontExpression(file, "TimGM6mb"), std::nullopt) << "format " << format;
    EXPECT_EQ(smf::FontExpression(file, ""), std::nullopt) << "format " << format;
  }
}

TEST(NormaliserTest, FormatOneKeepsMetaEventsInTheConductorTrack) {
  TrackBuilder single;
  single.Tempo(0, 500000).Meta(0, 0x58, {4, 2, 24, 8}).NoteOn(0, 0, 60).NoteOff(480, 0, 60).End();
  TrackBuilder textOnly;
  textOnly.Meta(0, 0x01, {'x'}).End();
  const smf::StandardMidiFile file =
      Normalised(midi_test::MidiFile(1, 480, {single, textOnly}), 1, 960);

  EXPECT_EQ(file.format, 1);
  ASSERT_EQ(file.tracks.size(), 2u);  // conductor and the one track with music
  for (const smf::MidiEvent& event : file.tracks[0].events) {
    EXPECT_TRUE(event.IsMeta());
  }
  ASSERT_EQ(file.tracks[1].events.size(), 3u);
  EXPECT_EQ(file.tracks[1].events[1].tick, 960u);
  EXPECT_EQ(file.tracks[0].endTick, 1920u);
}

TEST(NormaliserTest, PieceEndsOneQuarterAfterTheMusicWhereverTheConductorEnds) {
  TrackBuilder conductor;
  conductor.Tempo(0, 500000).End(4800);
  TrackBuilder melody;
  melody.NoteOn(0, 0, 60).NoteOff(960, 0, 60).End(10);
  const midi_test::Bytes source = midi_test::MidiFile(1, 480, {conductor, melody});
  for (const std::uint16_t format : {0, 1}) {
    for (const smf::MidiTrack& track : Normalised(source, format, 96).tracks) {
      EXPECT_EQ(track.endTick, 194u + 96u) << format;  // 970 of 480 is 194 of 96
    }
  }
}

TEST(NormaliserTest, NotesRoundedToNothingLastOneTick) {
  TrackBuilder notes;
  // 480 to 482, and 960 to 961 ended by a note-on with velocity 0: at 48 per quarter each note
  // starts and ends on one tick.
  notes.NoteOn(480, 0, 60).NoteOff(2, 0, 60).NoteOn(478, 0, 62).NoteOn(1, 0, 62, 0).End();
  const smf::StandardMidiFile file = Normalised(midi_test::MidiFile(0, 480, {notes}), 0, 48);

  std::vector<std::tuple<std::uint32_t, std::uint8_t, std::uint8_t>> channel;
  for (const smf::MidiEvent& event : file.tracks[0].events) {
    if (event.IsChannelMessage()) {
      channel.emplace_back(event.tick, event.status, event.data2);
    }
  }
  const std::vector<std::tuple<std::uint32_t, std::uint8_t, std::uint8_t>> expected{
      {48, 0x90, 100}, {49, 0x80, 0x40}, {96, 0x90, 100}, {97, 0x90, 0}};
  EXPECT_EQ(channel, expected);
}

TEST(NormaliserTest, SmpteTimedSourceIsRefused) {
  TrackBuilder notes;
  notes.NoteOn(0, 0, 60).NoteOff(40, 0, 60).End();
  const smf::StandardMidiFile source =
      Parsed(midi_test::MidiFile(0, midi_test::SmpteDivision(25, 40), {notes}));
  EXPECT_THROW(NormalisedTracks(source, {0, 48, "t", "c", std::nullopt, {}}),
               std::invalid_argument);
}

}  // namespace
}  // namespace catalogue
