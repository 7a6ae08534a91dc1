#include "multimedia/linux/sequencer/Song.h"

#include <algorithm>

#include "multimedia/linux/sequencer/FontLevels.h"
#include "multimedia/linux/sequencer/TempoMap.h"

namespace sequencer {

namespace {

constexpr std::uint8_t kEndOfSysEx = 0xF7;
constexpr std::uint8_t kExpression = 11;

// Joins SysEx packets of one track into whole messages.
class SysExAssembler {
 public:
  // Returns true when `bytes` completes a message, which is then in Message().
  bool Add(const smf::MidiEvent& event, std::span<const std::uint8_t> bytes) {
    if (event.status == smf::kSysExStatus) {
      FMessage.assign(bytes.begin(), bytes.end());
      FOpen = true;
    } else if (FOpen) {
      FMessage.insert(FMessage.end(), bytes.begin(), bytes.end());
    } else if (!bytes.empty() && bytes.front() == smf::kSysExStatus) {
      // An escape carrying a whole message, F0 included.
      FMessage.assign(bytes.begin() + 1, bytes.end());
      FOpen = true;
    } else {
      return false;  // other escaped bytes (real-time, song position) mean nothing to a synth
    }
    if (FMessage.empty() || FMessage.back() != kEndOfSysEx) {
      return false;
    }
    FMessage.pop_back();
    FOpen = false;
    return true;
  }

  const std::vector<std::uint8_t>& Message() const { return FMessage; }

 private:
  std::vector<std::uint8_t> FMessage;
  bool FOpen = false;
};

}  // namespace

Song::Song(const smf::StandardMidiFile& file, std::string_view soundFont) {
  const smf::TempoMap tempoMap(file);
  for (const smf::MidiTrack& track : file.tracks) {
    SysExAssembler sysEx;
    for (const smf::MidiEvent& event : track.events) {
      const std::uint64_t time = tempoMap.TickToMicroseconds(track.startTick + event.tick);
      if (event.IsChannelMessage()) {
        FMessages.push_back({time, event.status, event.data1, event.data2, 0, 0});
      } else if (event.IsSysEx() && sysEx.Add(event, track.Payload(event))) {
        const auto& bytes = sysEx.Message();
        FMessages.push_back({time, smf::kSysExStatus, 0, 0,
                             static_cast<std::uint32_t>(FSysExBytes.size()),
                             static_cast<std::uint32_t>(bytes.size())});
        FSysExBytes.insert(FSysExBytes.end(), bytes.begin(), bytes.end());
      }
    }
  }
  std::stable_sort(
      FMessages.begin(), FMessages.end(),
      [](const SongMessage& a, const SongMessage& b) { return a.microseconds < b.microseconds; });
  FLength = tempoMap.TickToMicroseconds(file.EndTick());
  if (const auto expression = smf::FontExpression(file, soundFont)) {
    for (SongMessage& message : FMessages) {
      if (message.microseconds != 0) {
        break;
      }
      if ((message.status & 0xF0) == 0xB0 && message.data1 == kExpression) {
        message.data2 = *expression;
      }
    }
  }
}

std::size_t Song::FirstMessageAt(std::uint64_t microseconds) const {
  const auto found = std::lower_bound(
      FMessages.begin(), FMessages.end(), microseconds,
      [](const SongMessage& message, std::uint64_t time) { return message.microseconds < time; });
  return static_cast<std::size_t>(found - FMessages.begin());
}

}  // namespace sequencer
