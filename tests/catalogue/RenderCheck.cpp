// catalogue_render_check <pieces folder> <tunes folder> <soundfont>
//
// Plays every piece RS_1.mid .. RS_120.mid through the sequencer device with offline output and
// the soundfont given (at that font's levels) and checks what comes out: the device reports the
// length the file's tempo map gives, the piece lasts about one to four minutes, the notification of
// its end arrives when that much sound has been rendered, and the sound is never silent for long
// before the end. It measures what a listener hears at full volume: each piece's loudness lies
// within 2 LU of the catalogue's median, which lies near -19 LUFS; no true peak comes closer than 1
// dB to full scale; the first 3 s of sound are not much quieter than the piece; the melody enters
// within 8 s unless the arrangement (tunes/NNN.abc) says the piece opens with a longer
// introduction. One line per piece, then the catalogue's figures; the exit status is 1 when any
// piece fails.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "LoudnessMeter.h"
#include "MelodyEntry.h"

#include "multimedia/linux/sequencer/SequencerMciApi.h"
#include "multimedia/linux/sequencer/StandardMidiFile.h"
#include "multimedia/linux/sequencer/TempoMap.h"
#include "rtl/TextConversion.h"
#include "toolkit/MessageWindow.h"
#include "toolkit/PostedMessages.h"

namespace {

constexpr int kPieceCount = 120;
constexpr int kBlockMilliseconds = 100;
constexpr double kMinimumSeconds = 45;
constexpr double kMaximumSeconds = 300;
// The end notification may come up to a block plus the synthesiser's lead after the length.
constexpr int kEndToleranceMilliseconds = 300;
// Quieter than this for a whole block counts as silence (full scale is 1.0); a quiet music box
// arrangement plays at about 0.005 over the whole piece.
constexpr double kSilenceRms = 0.001;
constexpr double kLongestSilenceSeconds = 4;

constexpr double kTargetLufs = -19;
constexpr double kMedianToleranceLu = 2;
constexpr double kSpreadToleranceLu = 2;
constexpr double kHighestTruePeakDb = -1;
constexpr std::uint64_t kOpeningMilliseconds = 3000;
constexpr double kQuietestOpeningLu = 15;
constexpr double kLatestMelodySeconds = 8;
// A sample above this (-80 dBFS) is sound: the opening is measured from the first one.
constexpr float kSoundLevel = 1e-4F;

struct Outcome {
  double lengthSeconds = 0;
  double renderedSeconds = 0;
  double longestSilenceSeconds = 0;
  double lufs = -HUGE_VAL;
  double truePeakDb = -HUGE_VAL;
  double openingLufs = -HUGE_VAL;
  std::optional<double> melodySeconds;
  std::string problem;
};

double Median(std::vector<double> values) {
  std::ranges::sort(values);
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string OneDecimal(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

class PieceRenderer {
 public:
  explicit PieceRenderer(const std::filesystem::path& soundFont)
      : FApi(sequencer::AudioOutput::kOffline, {{soundFont, "named on the command line", false}}) {}

  Outcome Render(const std::filesystem::path& path, const std::filesystem::path& arrangement) {
    Outcome outcome;
    smf::StandardMidiFile file;
    if (smf::ReadStandardMidiFile(path, file) != smf::SmfError::kNone) {
      outcome.problem = "not a readable MIDI file";
      return outcome;
    }
    const std::uint64_t expectedMilliseconds =
        smf::TempoMap(file).TickToMilliseconds(file.EndTick());
    outcome.lengthSeconds = static_cast<double>(expectedMilliseconds) / 1000;
    outcome.melodySeconds = catalogue::MelodyEntrySeconds(file);

    const std::u16string name = Utf8ToUtf16(path.string());
    mm::MCI_OPEN_PARMSW open{};
    open.dwCallback = FWindow.Handle();
    open.lpstrElementName = name.c_str();
    if (Send(0, mm::MCI_OPEN, mm::MCI_WAIT | mm::MCI_OPEN_ELEMENT, open) != 0) {
      outcome.problem = "the device does not open it";
      return outcome;
    }
    const mm::MCIDEVICEID device = open.wDeviceID;
    mm::MCI_STATUS_PARMS status{0, 0, mm::MCI_STATUS_LENGTH, 0};
    Send(device, mm::MCI_STATUS, mm::MCI_WAIT | mm::MCI_STATUS_ITEM, status);
    if (status.dwReturn != expectedMilliseconds) {
      outcome.problem = "device length " + std::to_string(status.dwReturn) + " ms, tempo map " +
                        std::to_string(expectedMilliseconds) + " ms";
    }
    FEnded = false;
    mm::MCI_PLAY_PARMS play{FWindow.Handle(), 0, 0};
    Send(device, mm::MCI_PLAY, mm::MCI_NOTIFY, play);

    const auto blockFrames =
        static_cast<std::size_t>(FApi.SynthesizerInUse()->SampleRate()) * kBlockMilliseconds / 1000;
    std::vector<float> left(blockFrames), right(blockFrames);
    const std::uint64_t limit = expectedMilliseconds + 10000;
    catalogue::LoudnessMeter meter(FApi.SynthesizerInUse()->SampleRate());
    std::uint64_t rendered = 0;
    std::optional<std::uint64_t> soundStart;
    std::uint64_t silence = 0, longestSilence = 0;
    while (!FEnded && rendered < limit) {
      FApi.SynthesizerInUse()->Render(left, right);
      meter.Add(left, right);
      double blockSum = 0;
      bool sounds = false;
      for (std::size_t i = 0; i < blockFrames; ++i) {
        blockSum += double{left[i]} * left[i] + double{right[i]} * right[i];
        sounds = sounds || std::abs(left[i]) > kSoundLevel || std::abs(right[i]) > kSoundLevel;
      }
      if (!soundStart && sounds) {
        soundStart = rendered;
      }
      rendered += kBlockMilliseconds;
      // The short-term window then holds the first 3 s of sound and the quiet just before it.
      if (soundStart && rendered == *soundStart + kOpeningMilliseconds) {
        outcome.openingLufs = meter.ShortTermLufs();
      }
      // Silence counts only while the piece is meant to sound, not in its closing release.
      const bool quiet =
          std::sqrt(blockSum / (2.0 * static_cast<double>(blockFrames))) < kSilenceRms;
      silence = quiet ? silence + kBlockMilliseconds : 0;
      if (rendered + 2000 < expectedMilliseconds) {
        longestSilence = std::max(longestSilence, silence);
      }
      toolkit::ProcessPostedMessages();
    }
    mm::MCI_GENERIC_PARMS close{FWindow.Handle()};
    Send(device, mm::MCI_CLOSE, mm::MCI_WAIT, close);

    outcome.renderedSeconds = static_cast<double>(rendered) / 1000;
    outcome.lufs = meter.IntegratedLufs();
    outcome.truePeakDb = meter.TruePeakDb();
    outcome.longestSilenceSeconds = static_cast<double>(longestSilence) / 1000;
    if (!outcome.problem.empty()) {
      return outcome;
    }
    if (!FEnded) {
      outcome.problem = "no end notification";
    } else if (rendered < expectedMilliseconds ||
               rendered > expectedMilliseconds + kEndToleranceMilliseconds) {
      outcome.problem = "ended after " + std::to_string(rendered) + " ms";
    } else if (outcome.lengthSeconds < kMinimumSeconds || outcome.lengthSeconds > kMaximumSeconds) {
      outcome.problem = "length outside 45 s to 5 min";
    } else if (outcome.longestSilenceSeconds > kLongestSilenceSeconds) {
      outcome.problem = "silent for a long stretch";
    } else if (outcome.truePeakDb > kHighestTruePeakDb) {
      outcome.problem = "true peak above -1 dBTP";
    } else if (outcome.openingLufs < outcome.lufs - kQuietestOpeningLu) {
      outcome.problem = "the first 3 s are more than 15 LU below the piece";
    } else if (!outcome.melodySeconds) {
      outcome.problem = "no melody on channel 1";
    } else if (*outcome.melodySeconds > kLatestMelodySeconds &&
               !catalogue::OpensWithLongerIntroduction(arrangement)) {
      outcome.problem = "the melody enters after 8 s without a longer introduction";
    }
    return outcome;
  }

 private:
  template <typename Record>
  mm::MCIERROR Send(mm::MCIDEVICEID device, mm::UINT command, mm::DWORD flags, Record& record) {
    return FApi.mciSendCommandW(device, command, flags, reinterpret_cast<mm::DWORD_PTR>(&record));
  }

  sequencer::SequencerMciApi FApi;
  bool FEnded = false;
  toolkit::MessageWindow FWindow{[this](std::uint32_t msg, std::uintptr_t wParam, std::intptr_t) {
    if (msg == mm::MM_MCINOTIFY && wParam == mm::MCI_NOTIFY_SUCCESSFUL) {
      FEnded = true;
    }
  }};
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr,
                 "usage: catalogue_render_check <pieces folder> <tunes folder> <soundfont>\n");
    return 2;
  }
  PieceRenderer renderer(argv[3]);
  std::vector<bool> failed;
  double shortest = 1e9, longest = 0, total = 0;
  std::vector<double> loudness;
  for (int piece = 1; piece <= kPieceCount; ++piece) {
    const std::string name = "RS_" + std::to_string(piece) + ".mid";
    char arrangement[16];
    std::snprintf(arrangement, sizeof arrangement, "%03d.abc", piece);
    const Outcome outcome = renderer.Render(std::filesystem::path(argv[1]) / name,
                                            std::filesystem::path(argv[2]) / arrangement);
    std::printf(
        "%-11s %6.1f s  rendered %6.1f s  %6.1f LUFS  peak %5.1f dBTP  opening %6.1f LUFS  "
        "melody %5s s  longest silence %4.1f s  %s\n",
        name.c_str(), outcome.lengthSeconds, outcome.renderedSeconds, outcome.lufs,
        outcome.truePeakDb, outcome.openingLufs,
        outcome.melodySeconds ? OneDecimal(*outcome.melodySeconds).c_str() : "-",
        outcome.longestSilenceSeconds,
        outcome.problem.empty() ? "ok" : ("FAILED: " + outcome.problem).c_str());
    std::fflush(stdout);
    failed.push_back(!outcome.problem.empty());
    shortest = std::min(shortest, outcome.lengthSeconds);
    longest = std::max(longest, outcome.lengthSeconds);
    total += outcome.lengthSeconds;
    loudness.push_back(outcome.lufs);
  }
  const double median = Median(loudness);
  for (int piece = 1; piece <= kPieceCount; ++piece) {
    const double offset = loudness[static_cast<std::size_t>(piece - 1)] - median;
    if (std::abs(offset) > kSpreadToleranceLu) {
      std::printf("RS_%d.mid FAILED: %+.1f LU from the median\n", piece, offset);
      failed[static_cast<std::size_t>(piece - 1)] = true;
    }
  }
  const auto [quietest, loudest] = std::ranges::minmax(loudness);
  std::printf("loudness: median %.1f LUFS, %.1f to %.1f LUFS, a spread of %.1f LU\n", median,
              quietest, loudest, loudest - quietest);
  const bool medianOff = std::abs(median - kTargetLufs) > kMedianToleranceLu;
  if (medianOff) {
    std::printf("FAILED: the median is not within 2 LU of -19 LUFS\n");
  }
  const auto failures = std::ranges::count(failed, true);
  std::printf("%d pieces, %d failed; %.1f to %.1f s, %.1f min in all\n", kPieceCount,
              static_cast<int>(failures), shortest, longest, total / 60);
  return failures == 0 && !medianOff ? 0 : 1;
}
