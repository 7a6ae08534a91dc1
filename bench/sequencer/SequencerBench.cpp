// The sequencer device side by side with FluidSynth's command-line player, on the same files
// and soundfont. Prints figures; judges nothing. The live parts need a sound server
// (scripts/bench starts a private null sink).
//
//   sequencer_bench [onsets] [open] [cpu]   those figures (all without arguments)
//   sequencer_bench --play F                (child) plays F through the device and exits

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "multimedia/linux/sequencer/SequencerMciApi.h"
#include "rtl/TextConversion.h"
#include "sequencer/MidiFileBuilder.h"

namespace {

using Clock = std::chrono::steady_clock;
using midi_test::TrackBuilder;
constexpr double kSampleRate = 44100;
constexpr int kDivision = 480;
// Both play the same font, named, whatever the system's default points at.
constexpr const char* kSoundFontPath = "/usr/share/sounds/sf2/TimGM6mb.sf2";
const std::vector<sequencer::SoundFontCandidate> kSoundFont{
    {kSoundFontPath, "the benchmark's", false}};
// The command-line player plays at the device's gain, as loud as ours.
const std::string kGain = std::to_string(sequencer::kSynthesizerGain);

// ---- files -------------------------------------------------------------------------------

// One key throughout, so that every onset has the same attack.
constexpr int kOnsetKey = 72;

// Three minutes of short single notes, each cut by all-sound-off well before the next so that
// every onset follows silence, under ten tempos. `ideal` gets each onset in seconds.
midi_test::Bytes OnsetFile(std::vector<double>& ideal) {
  const std::uint32_t tempos[] = {500000, 400000,  750000, 436364, 600000,
                                  300000, 1000000, 545454, 666667, 480000};
  TrackBuilder track;
  track.Program(0, 0, 0).Controller(0, 0, 91, 0).Controller(0, 0, 93, 0);
  double seconds = 0;
  std::uint32_t pending = 0;  // ticks since the last event
  for (int section = 0; seconds < 180.0; ++section) {
    const std::uint32_t tempo = tempos[section % 10];
    track.Tempo(pending, tempo);
    pending = 0;
    for (int note = 0; note < 36 && seconds < 180.0; ++note) {
      // Irregular gaps of 240 to 719 ticks, so onsets fall anywhere within a block.
      const std::uint32_t gap =
          240 + static_cast<std::uint32_t>((note * 7919 + section * 104729) % 480);
      track.NoteOn(pending, 0, kOnsetKey, 100);
      ideal.push_back(seconds);
      track.NoteOff(60, 0, kOnsetKey).Controller(60, 0, 120, 0);
      pending = gap - 120;
      seconds += gap * tempo / 1e6 / kDivision;
    }
  }
  track.End(pending);
  return midi_test::MidiFile(0, kDivision, {track});
}

// Four instruments at 100 bpm, like a catalogue piece: melody, chords, bass and drums.
midi_test::Bytes CatalogueLikeFile(int seconds) {
  TrackBuilder conductor, melody, chords, bass, drums;
  conductor.Tempo(0, 600000).End(0);
  melody.Program(0, 0, 73);
  chords.Program(0, 1, 48);
  bass.Program(0, 2, 32);
  const int bars = seconds * 100 / 60 / 4;
  const int scale[] = {0, 2, 4, 5, 7, 9, 11, 12};
  for (int bar = 0; bar < bars; ++bar) {
    const int root = 48 + (bar % 4 == 1 ? 5 : bar % 4 == 2 ? 7 : 0);
    for (int beat = 0; beat < 8; ++beat) {
      const int key = 72 + scale[(bar * 3 + beat * 5) % 8];
      melody.NoteOn(0, 0, key, 90).NoteOff(kDivision / 2, 0, key);
    }
    for (int k : {0, 4, 7}) {
      chords.NoteOn(0, 1, root + 12 + k, 60);
    }
    chords.NoteOff(4 * kDivision, 1, root + 12).NoteOff(0, 1, root + 16).NoteOff(0, 1, root + 19);
    for (int beat = 0; beat < 4; ++beat) {
      bass.NoteOn(0, 2, root - 12, 100).NoteOff(kDivision, 2, root - 12);
      drums.NoteOn(0, 9, beat % 2 ? 38 : 36, 100).NoteOn(0, 9, 42, 70);
      drums.NoteOff(kDivision / 2, 9, 42).NoteOn(0, 9, 42, 60).NoteOff(kDivision / 2, 9, 42);
    }
  }
  return midi_test::MidiFile(1, kDivision,
                             {conductor, melody.End(), chords.End(), bass.End(), drums.End()});
}

// ---- helpers ------------------------------------------------------------------------------

struct ChildUsage {
  double wallSeconds = 0;
  double cpuSeconds = 0;
  long maxRssKb = 0;
  int status = -1;
};

ChildUsage RunChild(const std::vector<std::string>& arguments) {
  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const auto& argument : arguments) {
      argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  ChildUsage usage;
  rusage resources{};
  wait4(pid, &usage.status, 0, &resources);
  usage.wallSeconds = std::chrono::duration<double>(Clock::now() - start).count();
  usage.cpuSeconds =
      static_cast<double>(resources.ru_utime.tv_sec + resources.ru_stime.tv_sec) +
      static_cast<double>(resources.ru_utime.tv_usec + resources.ru_stime.tv_usec) / 1e6;
  usage.maxRssKb = resources.ru_maxrss;
  return usage;
}

struct OnsetFigures {
  std::size_t found = 0;
  double offsetMs = 0;
  double maxErrorMs = 0;
};

// Each note's onset: its first sound after the silence before it, looked for from 30 ms before
// its ideal time (shifted by the renderer's start offset, told by the first note). Reverb and
// chorus are off on both sides so that silence is exact. The error of each onset against its
// ideal time is taken after removing the median offset: what remains is the timing the tempo
// map asked for and the renderer missed.
OnsetFigures CompareOnsets(const std::vector<float>& samples, const std::vector<double>& ideal) {
  auto firstLoud = [&](std::size_t from) {
    while (from < samples.size() && samples[from] == 0.0f) {
      ++from;
    }
    return from;
  };
  OnsetFigures figures;
  const double start = static_cast<double>(firstLoud(0)) - ideal[0] * kSampleRate;
  std::vector<double> offsets;
  for (double time : ideal) {
    const double expected = time * kSampleRate + start;
    const std::size_t onset =
        firstLoud(static_cast<std::size_t>(std::max(0.0, expected - 0.03 * kSampleRate)));
    if (onset >= samples.size()) {
      break;
    }
    ++figures.found;
    offsets.push_back((static_cast<double>(onset) - time * kSampleRate) / kSampleRate * 1000);
  }
  if (offsets.empty()) {
    return figures;
  }
  std::vector<double> sorted = offsets;
  std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2),
                   sorted.end());
  figures.offsetMs = sorted[sorted.size() / 2];
  for (double offset : offsets) {
    figures.maxErrorMs = std::max(figures.maxErrorMs, std::abs(offset - figures.offsetMs));
  }
  return figures;
}

// The left channel of interleaved stereo 32-bit floats (s16 output would be dithered).
std::vector<float> ReadRawFloatLeft(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<float> left;
  float frame[2];
  while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) {
    left.push_back(frame[0]);
  }
  return left;
}

mm::MCIERROR OpenFile(mm::MciApi& api, const std::filesystem::path& file, mm::MCIDEVICEID& id) {
  const std::u16string name = Utf8ToUtf16(file.string());
  mm::MCI_OPEN_PARMSW open{0, 0, u"", name.c_str(), nullptr};
  const mm::MCIERROR result = api.mciSendCommandW(
      0, mm::MCI_OPEN, mm::MCI_WAIT | mm::MCI_OPEN_ELEMENT, reinterpret_cast<mm::DWORD_PTR>(&open));
  id = open.wDeviceID;
  return result;
}

mm::MCIERROR PlayFrom(mm::MciApi& api, mm::MCIDEVICEID id, mm::DWORD flags, mm::DWORD to = 0) {
  mm::MCI_PLAY_PARMS play{0, 0, to};
  return api.mciSendCommandW(id, mm::MCI_PLAY, flags | mm::MCI_FROM,
                             reinterpret_cast<mm::DWORD_PTR>(&play));
}

void Close(mm::MciApi& api, mm::MCIDEVICEID id) {
  mm::MCI_GENERIC_PARMS close{0};
  api.mciSendCommandW(id, mm::MCI_CLOSE, mm::MCI_WAIT, reinterpret_cast<mm::DWORD_PTR>(&close));
}

// ---- benchmarks ---------------------------------------------------------------------------

void OnsetAccuracy(const std::filesystem::path& folder) {
  std::vector<double> ideal;
  const auto file = folder / "onsets.mid";
  midi_test::WriteFile(file, OnsetFile(ideal));

  sequencer::SequencerMciApi api(sequencer::AudioOutput::kOffline, kSoundFont);
  mm::MCIDEVICEID id = 0;
  if (OpenFile(api, file, id) != 0) {
    std::printf("onset: the device cannot open the file\n");
    return;
  }
  api.SynthesizerInUse()->SetEffects(false);
  PlayFrom(api, id, 0);
  const auto frames = static_cast<std::size_t>((ideal.back() + 2) * kSampleRate);
  std::vector<float> left, right(512), block(512);
  for (std::size_t done = 0; done < frames; done += 512) {
    api.SynthesizerInUse()->Render(block, right);
    left.insert(left.end(), block.begin(), block.end());
  }
  const OnsetFigures ours = CompareOnsets(left, ideal);

  const auto raw = folder / "onsets-cli.raw";
  RunChild({"fluidsynth", "-q", "-ni", "-R", "0", "-C", "0", "-r", "44100", "-g", kGain, "-T",
            "raw", "-O", "float", "-F", raw.string(), kSoundFontPath, file.string()});
  const OnsetFigures cli = CompareOnsets(ReadRawFloatLeft(raw), ideal);

  std::printf(
      "onset accuracy, %zu notes over %.0f s, 10 tempos (max |error| after the median "
      "offset)\n",
      ideal.size(), ideal.back());
  std::printf("  device   : %zu onsets, offset %.3f ms, max error %.3f ms\n", ours.found,
              ours.offsetMs, ours.maxErrorMs);
  std::printf("  fluidsynth: %zu onsets, offset %.3f ms, max error %.3f ms\n", cli.found,
              cli.offsetMs, cli.maxErrorMs);
}

void CpuAndMemory(const std::filesystem::path& folder, const char* self) {
  const auto file = folder / "catalogue-like.mid";
  midi_test::WriteFile(file, CatalogueLikeFile(60));
  std::printf("playing a 60 s four-track file through the sound server\n");
  const ChildUsage ours = RunChild({self, "--play", file.string()});
  const ChildUsage cli = RunChild(
      {"fluidsynth", "-q", "-ni", "-a", "pulseaudio", "-g", kGain, kSoundFontPath, file.string()});
  const ChildUsage cli512 = RunChild({"fluidsynth", "-q", "-ni", "-a", "pulseaudio", "-g", kGain,
                                      "-z", "512", kSoundFontPath, file.string()});
  auto print = [](const char* name, const ChildUsage& usage) {
    std::printf("  %-22s: wall %.1f s, cpu %.2f s = %.2f %% of a core, peak RSS %ld KiB%s\n", name,
                usage.wallSeconds, usage.cpuSeconds, 100 * usage.cpuSeconds / usage.wallSeconds,
                usage.maxRssKb, usage.status == 0 ? "" : " (failed)");
  };
  print("device", ours);
  print("fluidsynth", cli);
  print("fluidsynth -z 512", cli512);
  std::printf("  cpu ratio device/fluidsynth %.2f (vs -z 512: %.2f), memory ratio %.2f\n",
              (ours.cpuSeconds / ours.wallSeconds) / (cli.cpuSeconds / cli.wallSeconds),
              (ours.cpuSeconds / ours.wallSeconds) / (cli512.cpuSeconds / cli512.wallSeconds),
              static_cast<double>(ours.maxRssKb) / static_cast<double>(cli.maxRssKb));
}

// Warm: the synthesiser exists already. From MCI_OPEN of a 50 KB file to the first frame of
// its first note rendered by the synthesiser (handed to the sound server).
void OpenToFirstSound(const std::filesystem::path& folder) {
  int seconds = 60;
  midi_test::Bytes bytes = CatalogueLikeFile(seconds);
  while (bytes.size() < 50 * 1024) {
    seconds = static_cast<int>(seconds * 50 * 1024 / bytes.size()) + 1;
    bytes = CatalogueLikeFile(seconds);
  }
  const auto file = folder / "fifty-kb.mid";
  midi_test::WriteFile(file, bytes);
  sequencer::SequencerMciApi api(sequencer::AudioOutput::kDevice, kSoundFont);
  mm::MCIDEVICEID id = 0;
  if (OpenFile(api, file, id) != 0) {
    std::printf("open: no sound output\n");
    return;
  }
  // The output starts with the first play; on an idle null sink a new stream waits up to 2 s for
  // the sink to wake. Playing a little with a wait leaves it running.
  PlayFrom(api, id, mm::MCI_WAIT | mm::MCI_TO, 300);
  Close(api, id);
  std::vector<double> times;
  for (int run = 0; run < 20; ++run) {
    const auto start = Clock::now();
    OpenFile(api, file, id);
    PlayFrom(api, id, 0);
    mm::MCI_STATUS_PARMS status{0, 0, mm::MCI_STATUS_POSITION, 0};
    do {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      api.mciSendCommandW(id, mm::MCI_STATUS, mm::MCI_WAIT | mm::MCI_STATUS_ITEM,
                          reinterpret_cast<mm::DWORD_PTR>(&status));
    } while (status.dwReturn == 0);
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    Close(api, id);
  }
  std::sort(times.begin(), times.end());
  std::printf(
      "open of a %zu-byte file to its first rendered frame, warm, 20 runs: median %.1f ms, "
      "max %.1f ms\n",
      bytes.size(), times[times.size() / 2], times.back());
  const ChildUsage cli = RunChild({"fluidsynth", "-q", "-ni", "-g", kGain, "-F", "/dev/null", "-T",
                                   "raw", kSoundFontPath, (folder / "onsets.mid").string()});
  std::printf(
      "  (fluidsynth has no warm open; its cold start and fast render of the onset file "
      "take %.0f ms)\n",
      cli.wallSeconds * 1000);
}

int PlayChild(const char* file) {
  sequencer::SequencerMciApi api(sequencer::AudioOutput::kDevice, kSoundFont);
  mm::MCIDEVICEID id = 0;
  if (OpenFile(api, file, id) != 0) {
    return 1;
  }
  const mm::MCIERROR result = PlayFrom(api, id, mm::MCI_WAIT);
  Close(api, id);
  return result == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--play") == 0) {
    return PlayChild(argv[2]);
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const auto folder = std::filesystem::temp_directory_path() / "kalvio-sequencer-bench";
  std::filesystem::create_directories(folder);
  auto wanted = [&](const char* name) {
    return argc == 1 || std::any_of(argv + 1, argv + argc,
                                    [&](const char* arg) { return std::strcmp(arg, name) == 0; });
  };
  if (wanted("onsets")) {
    OnsetAccuracy(folder);
  }
  if (wanted("open")) {
    OpenToFirstSound(folder);
  }
  if (wanted("cpu")) {
    CpuAndMemory(folder, argv[0]);
  }
  std::filesystem::remove_all(folder);
  return 0;
}
