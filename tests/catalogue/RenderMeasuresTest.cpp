#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <vector>

#include "LoudnessMeter.h"
#include "MelodyEntry.h"
#include "sequencer/MidiFileBuilder.h"

namespace catalogue {
namespace {

using midi_test::TrackBuilder;

// EBU Tech 3341's first case: a 1 kHz sine at -23 dBFS in both channels measures -23.0 LUFS.
TEST(LoudnessMeterTest, StereoSineAtMinus23DbfsIsMinus23Lufs) {
  constexpr unsigned kRate = 44100;
  const double amplitude = std::pow(10.0, -23.0 / 20);
  LoudnessMeter meter(kRate);
  std::vector<float> left(kRate / 10), right(kRate / 10);
  for (unsigned block = 0; block < 200; ++block) {  // 20 s, in the render check's blocks
    for (std::size_t i = 0; i < left.size(); ++i) {
      const double t = static_cast<double>(block * left.size() + i) / kRate;
      left[i] = right[i] =
          static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * 1000 * t));
    }
    meter.Add(left, right);
  }
  EXPECT_NEAR(meter.IntegratedLufs(), -23.0, 0.1);
  EXPECT_NEAR(meter.ShortTermLufs(), -23.0, 0.1);
  EXPECT_NEAR(meter.TruePeakDb(), -23.0, 0.2);
}

TEST(LoudnessMeterTest, SilenceHasNoLoudness) {
  LoudnessMeter meter(44100);
  std::vector<float> silence(44100);
  meter.Add(silence, silence);
  EXPECT_TRUE(std::isinf(meter.IntegratedLufs()));
}

smf::StandardMidiFile Parsed(const midi_test::Bytes& bytes) {
  smf::StandardMidiFile file;
  EXPECT_EQ(smf::ReadStandardMidiFile(bytes, file), smf::SmfError::kNone);
  return file;
}

// The melody is channel 1, in whichever track it comes, timed through the tempo changes.
TEST(MelodyEntryTest, FirstNoteOnChannelOneThroughTheTempoMap) {
  TrackBuilder conductor;
  conductor.Tempo(0, 500000).Tempo(960, 1000000).End();  // two quarters at 0.5 s, then 1 s
  TrackBuilder accompaniment;
  accompaniment.NoteOn(0, 1, 48).NoteOff(480, 1, 48).End();
  TrackBuilder melody;
  melody.Controller(0, 0, 7, 100).NoteOn(1440, 0, 72, 0).NoteOn(0, 0, 72).NoteOff(480, 0, 72).End();
  EXPECT_EQ(
      MelodyEntrySeconds(Parsed(midi_test::MidiFile(1, 480, {conductor, accompaniment, melody}))),
      2.0);  // a note-on of velocity 0 is no note
  EXPECT_EQ(MelodyEntrySeconds(Parsed(midi_test::MidiFile(1, 480, {conductor, accompaniment}))),
            std::nullopt);
}

TEST(MelodyEntryTest, OnlyACommentCanAnnounceALongerIntroduction) {
  const auto path = std::filesystem::path(testing::TempDir()) / "intro.abc";
  const struct {
    const char* text;
    bool longer;
  } cases[] = {
      {"X:1\nK:C\n% the ground bass alone: a longer introduction of four bars\nC\n", true},
      {"X:1\nK:C\n% intro: harp\nC\n", false},
      {"X:1\nT:a longer introduction\nK:C\nC\n", false},
  };
  for (const auto& c : cases) {
    std::ofstream(path) << c.text;
    EXPECT_EQ(OpensWithLongerIntroduction(path), c.longer) << c.text;
  }
  EXPECT_FALSE(OpensWithLongerIntroduction(path.parent_path() / "missing.abc"));
}

}  // namespace
}  // namespace catalogue
