#pragma once

#include <cstdint>
#include <vector>

namespace catalogue {

// One event of a track: its absolute tick and the complete message as it stands in a track
// chunk, without the delta time (channel message with status, FF type length data, F0 length data).
struct TrackEvent {
  std::uint32_t tick = 0;
  std::vector<std::uint8_t> message;
};

struct Track {
  std::vector<TrackEvent> events;  // ticks never decrease; no end-of-track event
  std::uint32_t endTick = 0;       // where the end-of-track event goes, at or after the last event
};

// A Standard MIDI File with a metrical division. Every status byte is written out (no running
// status) and each track ends with its end-of-track event.
std::vector<std::uint8_t> StandardMidiFileBytes(std::uint16_t format, std::uint16_t ticksPerQuarter,
                                                const std::vector<Track>& tracks);

// A variable-length quantity as used for delta times and meta/SysEx lengths.
void AppendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value);

}  // namespace catalogue
