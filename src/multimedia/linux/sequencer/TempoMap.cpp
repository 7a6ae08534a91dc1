#include "multimedia/linux/sequencer/TempoMap.h"

#include <algorithm>

namespace smf {

namespace {

constexpr std::uint64_t kMicrosecondsPerSecond = 1000000;

struct TempoChange {
  std::uint64_t tick;
  std::uint32_t microsecondsPerQuarter;
};

std::vector<TempoChange> CollectTempoChanges(const StandardMidiFile& file) {
  std::vector<TempoChange> changes;
  for (const MidiTrack& track : file.tracks) {
    for (const MidiEvent& event : track.events) {
      if (event.IsMeta() && event.metaType == kMetaTempo && event.payloadSize == 3) {
        const auto bytes = track.Payload(event);
        changes.push_back({track.startTick + event.tick,
                           static_cast<std::uint32_t>(bytes[0] << 16 | bytes[1] << 8 | bytes[2])});
      }
    }
  }
  std::stable_sort(changes.begin(), changes.end(),
                   [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  return changes;
}

}  // namespace

TempoMap::TempoMap(const StandardMidiFile& file) {
  const Division& division = file.division;
  if (division.IsSmpte()) {
    const bool dropFrame = division.framesPerSecond == 29;
    const std::uint64_t nominalRate = dropFrame ? 30 : division.framesPerSecond;
    FTicksPerSecondNumerator = nominalRate * division.ticksPerFrame * 1000;
    FTicksPerSecondDenominator = dropFrame ? 1001 : 1000;
    return;
  }
  FTicksPerQuarter = std::max<std::uint32_t>(division.ticksPerQuarter, 1);
  FSegments.push_back({0, 0, kDefaultMicrosecondsPerQuarter});
  for (const TempoChange& change : CollectTempoChanges(file)) {
    if (change.microsecondsPerQuarter == 0) {
      continue;
    }
    Segment& last = FSegments.back();
    if (change.tick == last.tick) {
      last.microsecondsPerQuarter = change.microsecondsPerQuarter;
      continue;
    }
    const std::uint64_t scaled =
        last.scaledMicroseconds + (change.tick - last.tick) * last.microsecondsPerQuarter;
    FSegments.push_back({change.tick, scaled, change.microsecondsPerQuarter});
  }
}

std::uint64_t TempoMap::TickToMicroseconds(std::uint64_t songTick) const {
  if (FSegments.empty()) {
    return songTick * kMicrosecondsPerSecond * FTicksPerSecondDenominator /
           FTicksPerSecondNumerator;
  }
  const auto after = std::upper_bound(
      FSegments.begin(), FSegments.end(), songTick,
      [](std::uint64_t tick, const Segment& segment) { return tick < segment.tick; });
  const Segment& segment = *(after - 1);
  return (segment.scaledMicroseconds + (songTick - segment.tick) * segment.microsecondsPerQuarter) /
         FTicksPerQuarter;
}

std::uint64_t TempoMap::MicrosecondsToTick(std::uint64_t microseconds) const {
  microseconds = std::min(microseconds, kMaxSongMicroseconds * 2);
  if (FSegments.empty()) {
    const std::uint64_t divisor = kMicrosecondsPerSecond * FTicksPerSecondDenominator;
    return (microseconds * FTicksPerSecondNumerator + divisor - 1) / divisor;
  }
  const std::uint64_t target = microseconds * FTicksPerQuarter;
  const auto after = std::upper_bound(FSegments.begin(), FSegments.end(), target,
                                      [](std::uint64_t scaled, const Segment& segment) {
                                        return scaled < segment.scaledMicroseconds;
                                      });
  const Segment& segment = *(after - 1);
  const std::uint64_t rest = target - segment.scaledMicroseconds;
  return segment.tick +
         (rest + segment.microsecondsPerQuarter - 1) / segment.microsecondsPerQuarter;
}

}  // namespace smf
