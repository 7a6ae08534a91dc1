// libFuzzer target: any bytes through the MIDI file reader, then through the tempo map and the
// playback flattening, as an open of the sequencer device would take them.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "multimedia/linux/sequencer/Song.h"
#include "multimedia/linux/sequencer/StandardMidiFile.h"
#include "multimedia/linux/sequencer/TempoMap.h"

namespace {

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  smf::StandardMidiFile file;
  if (smf::ReadStandardMidiFile(std::span<const std::uint8_t>(data, size), file) !=
      smf::SmfError::kNone) {
    Require(file.tracks.empty());
    return 0;
  }
  const smf::TempoMap tempoMap(file);
  const std::uint64_t end = tempoMap.TickToMicroseconds(file.EndTick());
  Require(end <= smf::kMaxSongMicroseconds);
  Require(tempoMap.TickToMicroseconds(tempoMap.MicrosecondsToTick(end)) >= end);

  const sequencer::Song song(file);
  Require(song.LengthMicroseconds() == end);
  std::uint64_t previous = 0;
  for (const sequencer::SongMessage& message : song.Messages()) {
    Require(message.microseconds >= previous && message.microseconds <= end);
    Require(song.SysExBytes(message).size() == message.sysExSize);
    previous = message.microseconds;
  }
  return 0;
}
