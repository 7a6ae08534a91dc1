// Prints the notes a piece starts, in the order a sequencer plays them: one line per note-on
// ("90 3C": status byte and key, in hexadecimal, as the test MIDI output logs them), by song
// tick, simultaneous events in track order.
//   piece-notes <file.mid>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <tuple>
#include <vector>

#include "multimedia/linux/sequencer/StandardMidiFile.h"

namespace {

struct TimedNote {
  std::uint64_t tick;
  std::size_t track;
  std::size_t index;
  std::uint8_t status;
  std::uint8_t key;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: piece-notes <file.mid>\n", stderr);
    return 2;
  }
  smf::StandardMidiFile file;
  if (const smf::SmfError error = smf::ReadStandardMidiFile(argv[1], file);
      error != smf::SmfError::kNone) {
    std::fprintf(stderr, "%s: %.*s\n", argv[1], static_cast<int>(smf::Describe(error).size()),
                 smf::Describe(error).data());
    return 1;
  }
  std::vector<TimedNote> notes;
  for (std::size_t track = 0; track < file.tracks.size(); ++track) {
    const smf::MidiTrack& events = file.tracks[track];
    for (std::size_t index = 0; index < events.events.size(); ++index) {
      const smf::MidiEvent& event = events.events[index];
      if ((event.status & 0xF0) == 0x90 && event.data2 != 0) {
        notes.push_back({events.startTick + event.tick, track, index, event.status, event.data1});
      }
    }
  }
  std::ranges::sort(notes, [](const TimedNote& a, const TimedNote& b) {
    return std::tie(a.tick, a.track, a.index) < std::tie(b.tick, b.track, b.index);
  });
  for (const TimedNote& note : notes) {
    std::printf("%02X %02X\n", note.status, note.key);
  }
  return 0;
}
