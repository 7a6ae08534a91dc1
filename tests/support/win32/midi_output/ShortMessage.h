#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace midi_output {

// A short message with its status byte, as it sounds.
struct ShortMessage {
  std::array<std::uint8_t, 3> bytes{};
  std::size_t size = 0;

  std::uint8_t Status() const { return bytes[0]; }
};

// Turns the packed messages a MIDI output receives (first byte in the lowest bits) into whole
// messages. A first byte below 0x80 continues the last channel status (running status); system
// common messages cancel it and real-time ones leave it alone. Data bytes with no status before
// them come back as the first two bytes, with no status byte.
class RunningStatus {
 public:
  ShortMessage Resolve(std::uint32_t packed);
  void Reset() { status_ = 0; }

 private:
  std::uint8_t status_ = 0;
};

// How many data bytes follow this status byte.
std::size_t DataBytesOf(std::uint8_t status);

}  // namespace midi_output
