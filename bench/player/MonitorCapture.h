#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

// Records the null sink's monitor from construction on and times every frame by its arrival:
// what the sink plays, as a listener at its output would hear it (plus the capture's own delay,
// a few milliseconds, which only makes the figures longer).
class MonitorCapture {
 public:
  using Clock = std::chrono::steady_clock;

  MonitorCapture();
  ~MonitorCapture();
  MonitorCapture(const MonitorCapture&) = delete;
  MonitorCapture& operator=(const MonitorCapture&) = delete;

  bool Running() const { return FStream != nullptr; }

  // The first frame after `from` that is not digital silence.
  std::optional<Clock::time_point> FirstSoundAfter(Clock::time_point from) const;
  // The first millisecond after `from` from which 100 ms of digital silence follow.
  std::optional<Clock::time_point> SilenceAfter(Clock::time_point from) const;
  // Each millisecond's peak from `from` on, at most `count` of them, with the time of its first
  // frame.
  std::vector<std::pair<Clock::time_point, int>> PeaksAfter(Clock::time_point from,
                                                            std::size_t count) const;
  // The first millisecond after `from` whose peak reaches `level`: the onset of a loud note, told
  // from the quiet that a cut leaves.
  std::optional<Clock::time_point> FirstPeakOf(int level, Clock::time_point from) const;

 private:
  struct Block {
    Clock::time_point arrival;  // of its last frame
    std::vector<std::int16_t> left;
  };

  void Record();
  // The first block that arrived at or after `from`; FLock held.
  std::vector<Block>::const_iterator Since(Clock::time_point from) const;

  struct pa_simple* FStream = nullptr;
  bool FStop = false;
  mutable std::mutex FLock;
  std::vector<Block> FBlocks;
  std::thread FThread;
};
