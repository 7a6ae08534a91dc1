#include "SmfWriter.h"

#include <algorithm>

#include "../ByteBuffer.h"

namespace catalogue {

void AppendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) {
    out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
  }
  out.push_back(groups[0]);
}

std::vector<std::uint8_t> StandardMidiFileBytes(std::uint16_t format, std::uint16_t ticksPerQuarter,
                                                const std::vector<Track>& tracks) {
  ByteBuffer out;
  out.Text("MThd");
  out.Be32(6);
  out.Be16(format);
  out.Be16(static_cast<std::uint32_t>(tracks.size()));
  out.Be16(ticksPerQuarter);
  for (const Track& track : tracks) {
    std::vector<std::uint8_t> body;
    std::uint32_t now = 0;
    for (const TrackEvent& event : track.events) {
      AppendVariableLength(body, event.tick - now);
      body.insert(body.end(), event.message.begin(), event.message.end());
      now = event.tick;
    }
    AppendVariableLength(body, std::max(track.endTick, now) - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    out.Text("MTrk");
    out.Be32(static_cast<std::uint32_t>(body.size()));
    out.Append(body);
  }
  return out.Bytes();
}

}  // namespace catalogue
