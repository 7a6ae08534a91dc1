#include "MelodyEntry.h"

#include <algorithm>
#include <fstream>
#include <string>

#include "multimedia/linux/sequencer/TempoMap.h"

namespace catalogue {

std::optional<double> MelodyEntrySeconds(const smf::StandardMidiFile& file) {
  std::optional<std::uint64_t> first;
  for (const smf::MidiTrack& track : file.tracks) {
    for (const smf::MidiEvent& event : track.events) {
      if (event.status == 0x90 && event.data2 != 0) {
        const std::uint64_t tick = track.startTick + event.tick;
        first = first ? std::min(*first, tick) : tick;
        break;
      }
    }
  }
  if (!first) {
    return std::nullopt;
  }
  return static_cast<double>(smf::TempoMap(file).TickToMicroseconds(*first)) / 1e6;
}

bool OpensWithLongerIntroduction(const std::filesystem::path& abc) {
  std::ifstream file(abc);
  std::string line;
  while (std::getline(file, line)) {
    if (line.starts_with('%') && line.find("a longer introduction") != std::string::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace catalogue
