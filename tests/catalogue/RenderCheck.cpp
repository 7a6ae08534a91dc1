// catalogue_render_check <pieces folder>
//
// Plays every piece RS_1.mid .. RS_120.mid through the sequencer device with offline output and
// checks what comes out: the device reports the length the file's tempo map gives, the piece
// lasts about one to four minutes, the notification of its end arrives when that much sound has
// been rendered, and the sound is never silent for long before the end. One line per piece,
// then a summary; the exit status is 1 when any piece fails.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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
constexpr double kQuietestPieceRms = 0.002;
constexpr double kLongestSilenceSeconds = 4;

struct Outcome {
  double lengthSeconds = 0;
  double renderedSeconds = 0;
  double rms = 0;
  double longestSilenceSeconds = 0;
  std::string problem;
};

class PieceRenderer {
 public:
  Outcome Render(const std::filesystem::path& path) {
    Outcome outcome;
    smf::StandardMidiFile file;
    if (smf::ReadStandardMidiFile(path, file) != smf::SmfError::kNone) {
      outcome.problem = "not a readable MIDI file";
      return outcome;
    }
    const std::uint64_t expectedMilliseconds =
        smf::TempoMap(file).TickToMilliseconds(file.EndTick());
    outcome.lengthSeconds = static_cast<double>(expectedMilliseconds) / 1000;

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
    std::uint64_t rendered = 0;
    double sum = 0;
    std::uint64_t silence = 0, longestSilence = 0;
    while (!FEnded && rendered < limit) {
      FApi.SynthesizerInUse()->Render(left, right);
      rendered += kBlockMilliseconds;
      double blockSum = 0;
      for (std::size_t i = 0; i < blockFrames; ++i) {
        blockSum += double{left[i]} * left[i] + double{right[i]} * right[i];
      }
      sum += blockSum;
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
    outcome.rms = std::sqrt(sum / (2.0 * static_cast<double>(blockFrames) *
                                   static_cast<double>(rendered / kBlockMilliseconds)));
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
    } else if (outcome.rms < kQuietestPieceRms) {
      outcome.problem = "silent";
    } else if (outcome.longestSilenceSeconds > kLongestSilenceSeconds) {
      outcome.problem = "silent for a long stretch";
    }
    return outcome;
  }

 private:
  template <typename Record>
  mm::MCIERROR Send(mm::MCIDEVICEID device, mm::UINT command, mm::DWORD flags, Record& record) {
    return FApi.mciSendCommandW(device, command, flags, reinterpret_cast<mm::DWORD_PTR>(&record));
  }

  sequencer::SequencerMciApi FApi{sequencer::AudioOutput::kOffline};
  bool FEnded = false;
  toolkit::MessageWindow FWindow{[this](std::uint32_t msg, std::uintptr_t wParam, std::intptr_t) {
    if (msg == mm::MM_MCINOTIFY && wParam == mm::MCI_NOTIFY_SUCCESSFUL) {
      FEnded = true;
    }
  }};
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: catalogue_render_check <pieces folder>\n");
    return 2;
  }
  PieceRenderer renderer;
  int failures = 0;
  double shortest = 1e9, longest = 0, total = 0;
  for (int piece = 1; piece <= kPieceCount; ++piece) {
    const std::string name = "RS_" + std::to_string(piece) + ".mid";
    const Outcome outcome = renderer.Render(std::filesystem::path(argv[1]) / name);
    std::printf("%-11s %6.1f s  rendered %6.1f s  rms %.4f  longest silence %4.1f s  %s\n",
                name.c_str(), outcome.lengthSeconds, outcome.renderedSeconds, outcome.rms,
                outcome.longestSilenceSeconds,
                outcome.problem.empty() ? "ok" : ("FAILED: " + outcome.problem).c_str());
    std::fflush(stdout);
    failures += outcome.problem.empty() ? 0 : 1;
    shortest = std::min(shortest, outcome.lengthSeconds);
    longest = std::max(longest, outcome.lengthSeconds);
    total += outcome.lengthSeconds;
  }
  std::printf("%d pieces, %d failed; %.1f to %.1f s, %.1f min in all\n", kPieceCount, failures,
              shortest, longest, total / 60);
  return failures == 0 ? 0 : 1;
}
