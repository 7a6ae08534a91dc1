#pragma once

// Song ticks to time and back, through the tempo meta events of a Standard MIDI File.

#include <cstdint>
#include <vector>

#include "multimedia/linux/sequencer/StandardMidiFile.h"

namespace smf {

// 120 beats a minute: the tempo of a metrical file until its first tempo event.
constexpr std::uint32_t kDefaultMicrosecondsPerQuarter = 500000;

class TempoMap {
 public:
  // Collects the tempo events of every track at their song ticks (in format 1 they may stand in
  // any track; at equal ticks the later track wins). SMPTE files ignore tempo events.
  explicit TempoMap(const StandardMidiFile& file);

  // Time of a song tick from the start of the song, rounded down.
  std::uint64_t TickToMicroseconds(std::uint64_t songTick) const;
  std::uint64_t TickToMilliseconds(std::uint64_t songTick) const {
    return TickToMicroseconds(songTick) / 1000;
  }

  // The first song tick whose time is at or after `microseconds`.
  std::uint64_t MicrosecondsToTick(std::uint64_t microseconds) const;

 private:
  // From `tick` on, one quarter lasts `microsecondsPerQuarter`; `microseconds` is the time of
  // `tick` scaled by the division (kept exact: microseconds * ticksPerQuarter).
  struct Segment {
    std::uint64_t tick;
    std::uint64_t scaledMicroseconds;
    std::uint32_t microsecondsPerQuarter;
  };

  std::uint64_t FTicksPerSecondNumerator = 0;  // SMPTE only: ticks per second times 1001 or 1000
  std::uint64_t FTicksPerSecondDenominator = 0;
  std::uint32_t FTicksPerQuarter = 0;
  std::vector<Segment> FSegments;
};

}  // namespace smf
