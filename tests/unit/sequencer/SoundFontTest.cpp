// Which soundfont the sequencer plays with, how it recognises the fonts the catalogue is
// levelled with, and the level each piece then plays at.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "multimedia/linux/sequencer/FontLevels.h"
#include "multimedia/linux/sequencer/SoundFontChoice.h"
#include "sequencer/SequencerFixture.h"

namespace {

namespace fs = std::filesystem;
using midi_test::TrackBuilder;
using sequencer::SoundFontCandidate;
using sequencer_test::Rms;

constexpr const char* kFluidR3Path = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

// A file that begins as a soundfont does (RIFF "sfbk", an INFO list naming it) and has nothing
// else: it passes for one until a synthesiser loads it.
void WriteSoundFontHead(const fs::path& path, const std::string& name) {
  std::string info = "INFOifil";
  info += std::string("\x04\0\0\0\x02\0\x01\0", 8);
  std::string inam = name + '\0';
  if (inam.size() % 2 == 1) {
    inam += '\0';
  }
  info += "INAM";
  for (int shift = 0; shift < 32; shift += 8) {
    info += static_cast<char>(inam.size() >> shift & 0xFF);
  }
  info += inam;
  std::string list = "LIST";
  for (int shift = 0; shift < 32; shift += 8) {
    list += static_cast<char>(info.size() >> shift & 0xFF);
  }
  list += info;
  std::string riff = "RIFF";
  for (int shift = 0; shift < 32; shift += 8) {
    riff += static_cast<char>((list.size() + 4) >> shift & 0xFF);
  }
  std::ofstream(path, std::ios::binary) << riff << "sfbk" << list;
}

class SoundFontChoice : public ::testing::Test {
 protected:
  SoundFontChoice() : FFolder(fs::path(testing::TempDir()) / "kalvio-soundfont-choice") {
    fs::remove_all(FFolder);
    fs::create_directories(FFolder);
  }
  ~SoundFontChoice() override { fs::remove_all(FFolder); }

  fs::path FFolder;
};

TEST_F(SoundFontChoice, TheUsersFontIsTheOnlyPlaceElseTheFixedOrder) {
  const auto named = sequencer::SoundFontCandidates("/home/me/piano.sf2");
  ASSERT_EQ(named.size(), 1u);
  EXPECT_EQ(named[0].path, "/home/me/piano.sf2");
  EXPECT_NE(named[0].reason.find("KALVIO_SOUNDFONT"), std::string::npos);

  std::vector<std::string> paths;
  for (const char* unset : {static_cast<const char*>(nullptr), ""}) {
    paths.clear();
    for (const SoundFontCandidate& candidate : sequencer::SoundFontCandidates(unset)) {
      paths.push_back(candidate.path.string());
    }
    const std::vector<std::string> expected{
        "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/soundfonts/TimGM6mb.sf2",   "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/soundfonts/FluidR3_GM.sf2", "/usr/share/soundfonts/default.sf2"};
    EXPECT_EQ(paths, expected);
  }
}

// Missing files and files of another kind are passed over; the first soundfont is taken.
TEST_F(SoundFontChoice, TheFirstReadableSoundFontIsChosen) {
  std::ofstream(FFolder / "notes.txt") << "RIFF, but not a soundfont";
  std::ofstream(FFolder / "wave.sf2", std::ios::binary) << "RIFF\x10\0\0\0WAVEfmt ";
  WriteSoundFontHead(FFolder / "mine.sf2", "My Font");
  WriteSoundFontHead(FFolder / "later.sf2", "Later");
  const std::vector<SoundFontCandidate> candidates{
      {FFolder / "missing.sf2", "a", false}, {FFolder / "notes.txt", "b", false},
      {FFolder / "wave.sf2", "c", false},    {FFolder, "d", false},
      {FFolder / "mine.sf2", "e", false},    {FFolder / "later.sf2", "f", false}};
  const auto chosen = sequencer::ChooseSoundFont(candidates);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->path, FFolder / "mine.sf2");
  EXPECT_EQ(chosen->reason, "e");
  EXPECT_EQ(chosen->knownName, "");
  const std::string line = sequencer::SoundFontChoiceLine(chosen, candidates);
  EXPECT_NE(line.find((FFolder / "mine.sf2").string()), std::string::npos) << line;
  EXPECT_NE(line.find("TimGM6mb's levels"), std::string::npos) << line;

  const std::vector<SoundFontCandidate> none(candidates.begin(), candidates.begin() + 4);
  EXPECT_FALSE(sequencer::ChooseSoundFont(none).has_value());
  const std::string noneLine = sequencer::SoundFontChoiceLine(std::nullopt, none);
  for (const char* hint : {"timgm6mb-soundfont", "fluid-soundfont-gm", "KALVIO_SOUNDFONT"}) {
    EXPECT_NE(noneLine.find(hint), std::string::npos) << noneLine;
  }
}

// By its own name and size: a copy under any name is the same font; a file that only bears its
// name is not.
TEST_F(SoundFontChoice, KnownFontsAreRecognisedByTheirNameAndSize) {
  fs::copy_file(sequencer_test::kTestSoundFontPath, FFolder / "piano.sf2");
  fs::create_symlink(kFluidR3Path, FFolder / "default.sf2");
  WriteSoundFontHead(FFolder / "impostor.sf2", "TimGM6mb1.sf2");
  const struct {
    fs::path path;
    const char* knownName;
  } cases[] = {{sequencer_test::kTestSoundFontPath, "TimGM6mb"},
               {FFolder / "piano.sf2", "TimGM6mb"},
               {FFolder / "default.sf2", "FluidR3_GM"},
               {FFolder / "impostor.sf2", ""}};
  for (const auto& c : cases) {
    const auto font = sequencer::IdentifySoundFont({c.path, "test", false});
    ASSERT_TRUE(font.has_value()) << c.path;
    EXPECT_EQ(font->knownName, c.knownName) << c.path;
  }
}

// The synthesiser goes on to the next candidate when one only looks like a soundfont.
TEST_F(SoundFontChoice, TheSynthesiserLoadsTheFirstFontThatLoads) {
  WriteSoundFontHead(FFolder / "hollow.sf2", "Hollow");
  const std::vector<SoundFontCandidate> candidates{
      {FFolder / "missing.sf2", "a", false},
      {FFolder / "hollow.sf2", "b", false},
      {sequencer_test::kTestSoundFontPath, "c", false}};
  mm::MCIERROR error = mm::MCIERR_HARDWARE;
  const auto synthesizer =
      sequencer::Synthesizer::Create(sequencer::AudioOutput::kOffline, candidates, error);
  ASSERT_NE(synthesizer, nullptr);
  EXPECT_EQ(error, mm::MMSYSERR_NOERROR);
  EXPECT_EQ(synthesizer->SoundFontName(), "TimGM6mb");
}

// A path that names no soundfont: no device opens, and the start-up message says what to do.
TEST_F(SoundFontChoice, WithoutAFontNoDeviceOpensAndTheMessageSaysWhatToInstall) {
  const std::vector<SoundFontCandidate> candidates =
      sequencer::SoundFontCandidates((FFolder / "missing.sf2").c_str());
  sequencer::SequencerMciApi api(sequencer::AudioOutput::kOffline, candidates);
  const std::u16string problem = api.SoundFontProblem();
  for (const std::u16string_view part :
       {u"timgm6mb-soundfont", u"fluid-soundfont-gm", u"KALVIO_SOUNDFONT", u"missing.sf2"}) {
    EXPECT_NE(problem.find(part), std::u16string::npos);
  }
  const auto piece = FFolder / "piece.mid";
  midi_test::WriteFile(piece, sequencer_test::Melody(2));
  const std::u16string name = Utf8ToUtf16(piece.string());
  mm::MCI_OPEN_PARMSW parms{};
  parms.lpstrElementName = name.c_str();
  EXPECT_EQ(api.mciSendCommandW(0, mm::MCI_OPEN, mm::MCI_WAIT | mm::MCI_OPEN_ELEMENT,
                                reinterpret_cast<mm::DWORD_PTR>(&parms)),
            mm::MCIERR_CANNOT_LOAD_DRIVER);

  sequencer::SequencerMciApi withFont(sequencer::AudioOutput::kOffline,
                                      sequencer_test::TestSoundFont());
  EXPECT_EQ(withFont.SoundFontProblem(), u"");
}

class PieceLevels : public sequencer_test::SequencerFixture {
 protected:
  // One long note at full expression, with the levels `fontExpressions` gives other fonts.
  double LevelOfPiece(const std::vector<std::pair<std::string, std::uint8_t>>& fontExpressions) {
    TrackBuilder track;
    for (const auto& [font, expression] : fontExpressions) {
      track.Meta(0, smf::kMetaSequencerSpecific, smf::FontExpressionPayload(font, expression));
    }
    track.Controller(0, 0, 11, 127).Program(0, 0, 0).NoteOn(0, 0, 60).NoteOff(960, 0, 60).End();
    const auto path = Write("level.mid", midi_test::MidiFile(0, 480, {track}));
    const mm::MCIDEVICEID device = OpenOrFail(path);
    FApi.SynthesizerInUse()->SetEffects(false);  // their modulation would blur the comparison
    Play(device);
    const std::vector<float> sound = Render(800);
    Generic(device, mm::MCI_CLOSE);
    return Rms(sound);
  }
};

// The loaded font's own expression replaces the one the file starts with; another font's is
// ignored.
TEST_F(PieceLevels, ThePieceStartsAtTheLoadedFontsOwnExpression) {
  LevelOfPiece({});  // the very first note of a new synthesiser sounds half a decibel apart
  const double full = LevelOfPiece({});
  ASSERT_GT(full, 0.001);
  const double lowered = LevelOfPiece({{"FluidR3_GM", 127}, {"TimGM6mb", 64}});
  EXPECT_NEAR(20 * std::log10(lowered / full), 40 * std::log10(64.0 / 127), 1.5);
  EXPECT_NEAR(20 * std::log10(LevelOfPiece({{"FluidR3_GM", 32}}) / full), 0, 0.2);
}

}  // namespace
