#pragma once

// A Standard MIDI File flattened for playback: every message the synthesiser hears, in the order
// it hears them, timed in microseconds through the tempo map.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "multimedia/linux/sequencer/StandardMidiFile.h"

namespace sequencer {

struct SongMessage {
  std::uint64_t microseconds = 0;
  std::uint8_t status = 0;  // a channel message, or smf::kSysExStatus for a complete SysEx
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;
  std::uint32_t sysExOffset = 0;  // SysEx only: the bytes between F0 and F7, in SysExBytes()
  std::uint32_t sysExSize = 0;

  bool IsNoteOn() const { return (status & 0xF0) == 0x90 && data2 != 0; }
  bool IsNote() const { return (status & 0xF0) == 0x80 || (status & 0xF0) == 0x90; }
};

class Song {
 public:
  Song() = default;
  // Messages at the same time keep the order of their tracks, then of the file. SysEx split into
  // packets (F0 ... then F7 continuations) is joined; meta events only shape the timing, but
  // for one: where the file gives `soundFont` a level of its own, that is the expression every
  // channel starts with (see FontLevels.h).
  explicit Song(const smf::StandardMidiFile& file, std::string_view soundFont = {});

  std::uint64_t LengthMicroseconds() const { return FLength; }
  const std::vector<SongMessage>& Messages() const { return FMessages; }
  std::span<const std::uint8_t> SysExBytes(const SongMessage& message) const {
    return std::span<const std::uint8_t>(FSysExBytes)
        .subspan(message.sysExOffset, message.sysExSize);
  }

  // Index of the first message at or after `microseconds` (the size when there is none).
  std::size_t FirstMessageAt(std::uint64_t microseconds) const;

 private:
  std::uint64_t FLength = 0;
  std::vector<SongMessage> FMessages;
  std::vector<std::uint8_t> FSysExBytes;
};

}  // namespace sequencer
