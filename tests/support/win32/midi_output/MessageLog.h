#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace midi_output {

// Appends one line per message to the file named by KALVIO_MIDI_LOG: the milliseconds of the
// system's tick count, then the message. Each line is written and the file closed at once, so a
// test reads what has played while the program runs. Without the variable nothing is written.
void LogBytes(const std::uint8_t* bytes, std::size_t size);
void LogEvent(std::string_view event);

}  // namespace midi_output
