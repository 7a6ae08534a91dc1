// Kalvio side by side with FluidSynth's command-line player on the same piece and soundfont,
// through a private null sink; the program itself runs on a private X display. Prints figures;
// judges nothing. scripts/bench starts the sound server and the display.
//
//   player_bench <kalvio executable> <soundfont> [launch] [next] [usage] [paused] (all without
//   any); Kalvio is given the soundfont through KALVIO_SOUNDFONT, the command-line player as its
//   argument
//
//   launch  from starting the program to its first sound, against `fluidsynth <sf2> <piece>`
//   next    from a click on Next to the new piece's first sound, from pause to silence and from
//           resume to sound (the player in this process)
//   usage   CPU (with the sound server's) and peak memory while playing, against the
//           command-line player
//   paused  CPU of the player and the sound server while paused (through playerctl)

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "MonitorCapture.h"
#include "multimedia/linux/sequencer/Synthesizer.h"
#include "platform/Resources.h"
#include "player/Catalogue.h"
#include "player/Unit1.h"
#include "toolkit/Application.h"

namespace {

namespace fs = std::filesystem;
using Clock = MonitorCapture::Clock;

std::string soundFont;  // the one both play with
// The command-line player plays at Kalvio's synthesiser gain, as loud as Kalvio.
const std::string kGain = std::to_string(sequencer::kSynthesizerGain);
constexpr int kPiece = 1;
// Next, with repeat on, restarts this piece: its first note is loud and sharp, so its onset stands
// out from the old sound's reverberation every time.
constexpr int kRestartedPiece = 2;

// The command-line player given the settings that matter for cost and start-up as Kalvio's
// earlier output had them: 512-frame periods, two of them, samples loaded when used.
std::vector<std::string> FluidsynthPlaying(const fs::path& piece) {
  return {"fluidsynth",
          "-q",
          "-ni",
          "-a",
          "pulseaudio",
          "-z",
          "512",
          "-c",
          "2",
          "-o",
          "synth.dynamic-sample-loading=1",
          soundFont,
          piece.string()};
}

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

struct Spread {
  double min;
  double median;
  double max;
};

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {values.front(), values[values.size() / 2], values.back()};
}

// A Documents folder whose settings start `piece` at full volume.
void PrepareHome(const fs::path& home, int piece, bool repeat) {
  fs::remove_all(home);
  fs::create_directories(home / "Documents" / "Kalvio");
  std::ofstream(home / "Documents" / "Kalvio" / "Kalvio.Ini")
      << "[SaundSeting]\nMastarVolume=100\nSaundIndex=" << piece << "\nRepeat=" << repeat << "\n";
}

fs::path WritePiece(const fs::path& folder) {
  const auto bytes =
      platform::SystemResources().Load(PieceResourceName(kPiece), platform::ResourceType::RcData);
  const fs::path file = folder / "piece.mid";
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return file;
}

pid_t Start(const std::vector<std::string>& arguments, const std::optional<fs::path>& home) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (home) {
      setenv("HOME", home->c_str(), 1);
    }
    std::vector<char*> argv;
    for (const auto& argument : arguments) {
      argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

void Stop(pid_t pid) {
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
}

std::optional<double> LaunchToFirstSound(const MonitorCapture& capture,
                                         const std::vector<std::string>& command,
                                         const std::optional<fs::path>& home) {
  const auto start = Clock::now();
  const pid_t pid = Start(command, home);
  std::optional<Clock::time_point> sound;
  while (!sound && Clock::now() - start < std::chrono::seconds(10)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    sound = capture.FirstSoundAfter(start);
  }
  Stop(pid);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  return sound ? std::optional(Milliseconds(*sound - start)) : std::nullopt;
}

void Launch(const MonitorCapture& capture, const fs::path& kalvio, const fs::path& folder) {
  const fs::path piece = WritePiece(folder);
  const std::vector<std::string> ours{kalvio.string()};
  const std::vector<std::string> cli = FluidsynthPlaying(piece);
  std::vector<double> oursMs;
  std::vector<double> cliMs;
  constexpr int kRuns = 7;
  for (int run = 0; run <= kRuns; ++run) {  // the first run of each warms the caches
    PrepareHome(folder / "home", kPiece, false);
    const auto a = LaunchToFirstSound(capture, ours, folder / "home");
    const auto b = LaunchToFirstSound(capture, cli, std::nullopt);
    if (run > 0 && a && b) {
      oursMs.push_back(*a);
      cliMs.push_back(*b);
    }
  }
  if (oursMs.empty()) {
    std::printf("launch: no sound\n");
    return;
  }
  const Spread a = SpreadOf(oursMs);
  const Spread b = SpreadOf(cliMs);
  std::printf(
      "launch to first sound, piece %d, %zu runs: Kalvio min %.0f / median %.0f / max %.0f ms, "
      "fluidsynth min %.0f / median %.0f / max %.0f ms, ratio of medians %.2f\n",
      kPiece, oursMs.size(), a.min, a.median, a.max, b.min, b.median, b.max, a.median / b.median);
}

// Runs the message loop for a while.
void Pump(toolkit::TApplication& application, Clock::duration duration) {
  const auto end = Clock::now() + duration;
  while (Clock::now() < end) {
    application.ProcessMessages();
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
}

void Next(const MonitorCapture& capture, const fs::path& folder) {
  PrepareHome(folder / "home", kRestartedPiece, true);
  setenv("HOME", (folder / "home").c_str(), 1);
  const auto beforeStart = Clock::now();
  toolkit::TApplication application;
  application.SetTitle(u"Kalvio");
  TForm1& form = application.CreateForm<TForm1>();
  form.Show();
  Pump(application, std::chrono::seconds(2));
  // Half the loudest peak of the piece's first 60 ms as it sounded at start-up: the cut leaves
  // the old sound far below it.
  const auto firstSound = capture.FirstSoundAfter(beforeStart);
  if (!firstSound) {
    std::printf("next: no sound\n");
    return;
  }
  int loudest = 0;
  for (const auto& [time, peak] : capture.PeaksAfter(*firstSound, 60)) {
    loudest = std::max(loudest, peak);
  }
  std::vector<double> times;
  for (int run = 0; run < 15; ++run) {
    const auto click = Clock::now();
    form.NextBtn.DoClick();
    Pump(application, std::chrono::milliseconds(1500));
    if (const auto onset = capture.FirstPeakOf(loudest / 2, click)) {
      times.push_back(Milliseconds(*onset - click));
    }
  }
  if (times.empty()) {
    std::printf("next: the piece's start was not found again\n");
    return;
  }
  const Spread next = SpreadOf(times);
  std::printf(
      "Next click to the new piece's first sound (repeat on: piece %d starts again), %zu of 15 "
      "runs: min %.1f / median %.1f / max %.1f ms\n",
      kRestartedPiece, times.size(), next.min, next.median, next.max);
  // Pause to silence and resume to sound, a second into the piece each time.
  std::vector<double> toSilence;
  std::vector<double> toSound;
  for (int run = 0; run < 15; ++run) {
    Pump(application, std::chrono::milliseconds(1000));
    const auto pause = Clock::now();
    form.PauseBtn.DoClick();
    Pump(application, std::chrono::milliseconds(500));
    const auto resume = Clock::now();
    form.PauseBtn.DoClick();
    Pump(application, std::chrono::milliseconds(500));
    const auto silence = capture.SilenceAfter(pause);
    const auto sound = capture.FirstSoundAfter(resume);
    if (silence && sound) {
      toSilence.push_back(Milliseconds(*silence - pause));
      toSound.push_back(Milliseconds(*sound - resume));
    }
  }
  if (toSilence.empty()) {
    std::printf("pause: no silence found\n");
    return;
  }
  const Spread a = SpreadOf(toSilence);
  const Spread b = SpreadOf(toSound);
  std::printf("pause click to silence, %zu of 15 runs: min %.1f / median %.1f / max %.1f ms\n",
              toSilence.size(), a.min, a.median, a.max);
  std::printf("resume click to sound, %zu of 15 runs: min %.1f / median %.1f / max %.1f ms\n",
              toSound.size(), b.min, b.median, b.max);
}

struct Usage {
  double cpuPercent = 0;        // the program's own
  double serverCpuPercent = 0;  // the sound server's over the same time
  long peakKb = 0;
  long privateKb = 0;  // anonymous memory at the end: what shared libraries do not explain
};

long Field(const fs::path& status, const std::string& name) {
  std::ifstream file(status);
  for (std::string line; std::getline(file, line);) {
    if (line.rfind(name + ":", 0) == 0) {
      return std::stol(line.substr(name.size() + 1));
    }
  }
  return 0;
}

double CpuSeconds(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(file)), {});
  // After the command name in parentheses: fields 3 on; utime and stime are 14 and 15.
  std::vector<std::string> fields;
  std::string field;
  for (char c : text.substr(text.rfind(')') + 2)) {
    if (c == ' ') {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  const double ticks = std::stod(fields.at(11)) + std::stod(fields.at(12));
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

pid_t ServerPid() {
  std::ifstream file(fs::path(std::getenv("XDG_RUNTIME_DIR")) / "pulse" / "pid");
  pid_t pid = 0;
  file >> pid;
  return pid;
}

// The CPU of a process and of the sound server over `time`, in percent of a core, while
// `during` runs (or the time passes).
std::pair<double, double> CpuOver(pid_t pid, Clock::duration time,
                                  const std::function<void(Clock::duration)>& during) {
  const pid_t server = ServerPid();
  const double cpuBefore = CpuSeconds(pid);
  const double serverBefore = CpuSeconds(server);
  const auto start = Clock::now();
  during(time);
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  return {100 * (CpuSeconds(pid) - cpuBefore) / wall,
          100 * (CpuSeconds(server) - serverBefore) / wall};
}

void Sleep(Clock::duration time) {
  std::this_thread::sleep_for(time);
}

Usage WhilePlaying(const std::vector<std::string>& command, const std::optional<fs::path>& home) {
  const pid_t pid = Start(command, home);
  std::this_thread::sleep_for(std::chrono::seconds(3));
  const auto [cpu, server] = CpuOver(pid, std::chrono::seconds(10), Sleep);
  const fs::path status = "/proc/" + std::to_string(pid) + "/status";
  Usage usage{cpu, server, Field(status, "VmHWM"), Field(status, "RssAnon")};
  Stop(pid);
  return usage;
}

// Three runs of each, one after the other; CPU counted with the sound server's.
void CpuAndMemory(const fs::path& kalvio, const fs::path& folder) {
  const fs::path piece = WritePiece(folder);
  std::vector<double> ours;
  std::vector<double> cli;
  std::vector<double> ratios;
  Usage lastOurs;
  Usage lastCli;
  for (int run = 0; run < 3; ++run) {
    PrepareHome(folder / "home", kPiece, false);
    lastOurs = WhilePlaying({kalvio.string()}, folder / "home");
    lastCli = WhilePlaying(FluidsynthPlaying(piece), std::nullopt);
    ours.push_back(lastOurs.cpuPercent + lastOurs.serverCpuPercent);
    cli.push_back(lastCli.cpuPercent + lastCli.serverCpuPercent);
    ratios.push_back(ours.back() / cli.back());
  }
  const Spread a = SpreadOf(ours);
  const Spread b = SpreadOf(cli);
  const Spread r = SpreadOf(ratios);
  std::printf("while playing piece %d, 10 s after 3 s, program + sound server, 3 runs:\n", kPiece);
  std::printf("  Kalvio     min %.2f / median %.2f / max %.2f %% of a core (last: %.2f + %.2f)\n",
              a.min, a.median, a.max, lastOurs.cpuPercent, lastOurs.serverCpuPercent);
  std::printf("  fluidsynth min %.2f / median %.2f / max %.2f %% of a core (last: %.2f + %.2f)\n",
              b.min, b.median, b.max, lastCli.cpuPercent, lastCli.serverCpuPercent);
  std::printf("  ratio Kalvio/fluidsynth min %.2f / median %.2f / max %.2f\n", r.min, r.median,
              r.max);
  std::printf("  peak RSS Kalvio %ld KiB, fluidsynth %ld KiB (%.2f); anonymous %ld / %ld KiB\n",
              lastOurs.peakKb, lastCli.peakKb,
              static_cast<double>(lastOurs.peakKb) / static_cast<double>(lastCli.peakKb),
              lastOurs.privateKb, lastCli.privateKb);
}

// Kalvio paused through its MPRIS interface on the session bus: what it and the server spend
// while nothing plays.
void WhilePaused(const fs::path& kalvio, const fs::path& folder) {
  PrepareHome(folder / "home", kPiece, false);
  const pid_t pid = Start({kalvio.string()}, folder / "home");
  std::this_thread::sleep_for(std::chrono::seconds(3));
  if (std::system("playerctl -p kalvio pause") != 0) {
    std::printf("paused: playerctl could not pause Kalvio\n");
    Stop(pid);
    return;
  }
  std::this_thread::sleep_for(std::chrono::seconds(1));
  std::vector<double> totals;
  std::vector<double> server;
  for (int run = 0; run < 3; ++run) {
    const auto [own, sound] = CpuOver(pid, std::chrono::seconds(10), Sleep);
    totals.push_back(own + sound);
    server.push_back(sound);
  }
  Stop(pid);
  const Spread t = SpreadOf(totals);
  const Spread s = SpreadOf(server);
  std::printf(
      "paused, Kalvio + sound server, 3 runs of 10 s: min %.2f / median %.2f / max %.2f %% of a "
      "core (server alone: median %.2f)\n",
      t.min, t.median, t.max, s.median);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: player_bench <kalvio executable> <soundfont> [launch] [next] [usage] "
                 "[paused]\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const fs::path kalvio = fs::absolute(argv[1]);
  soundFont = argv[2];
  // Kalvio, started from here or run in this process, plays the same font.
  setenv("KALVIO_SOUNDFONT", soundFont.c_str(), 1);
  std::printf("soundfont %s\n", soundFont.c_str());
  const fs::path folder = fs::temp_directory_path() / "kalvio-player-bench";
  fs::create_directories(folder);
  auto wanted = [&](const char* name) {
    return argc == 3 || std::any_of(argv + 3, argv + argc,
                                    [&](const char* arg) { return std::strcmp(arg, name) == 0; });
  };
  if (wanted("launch") || wanted("next")) {
    const MonitorCapture capture;
    if (!capture.Running()) {
      std::printf("no sound server with a null sink\n");
      return 1;
    }
    // The null sink renders ahead in blocks of up to 2 s until a stream asks for less, as the
    // capture does: new sound reaches the monitor in time only once that lead is played out.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    if (wanted("launch")) {
      Launch(capture, kalvio, folder);
    }
    if (wanted("next")) {
      Next(capture, folder);
    }
  }
  // Without the capture: its short fragments keep the server waking often, a cost of measuring.
  if (wanted("usage")) {
    CpuAndMemory(kalvio, folder);
  }
  if (wanted("paused")) {
    WhilePaused(kalvio, folder);
  }
  fs::remove_all(folder);
  return 0;
}
