#include "multimedia/linux/sequencer/FontLevels.h"

#include <algorithm>

namespace smf {

namespace {

// The manufacturer ID set aside for non-commercial use, then our tag.
constexpr std::uint8_t kNonCommercialId = 0x7D;
constexpr std::string_view kTag = "Kalvio expression ";

}  // namespace

// 7D "Kalvio expression " <font name> 00 <value>
std::vector<std::uint8_t> FontExpressionPayload(std::string_view font, std::uint8_t value) {
  std::vector<std::uint8_t> payload;
  payload.reserve(1 + kTag.size() + font.size() + 2);
  payload.push_back(kNonCommercialId);
  for (const std::string_view text : {kTag, font}) {
    for (const char c : text) {
      payload.push_back(static_cast<std::uint8_t>(c));
    }
  }
  payload.push_back(0);
  payload.push_back(value);
  return payload;
}

std::optional<std::uint8_t> FontExpression(const StandardMidiFile& file, std::string_view font) {
  if (file.tracks.empty() || font.empty()) {
    return std::nullopt;
  }
  const std::vector<std::uint8_t> expected = FontExpressionPayload(font, 0);
  const MidiTrack& first = file.tracks.front();
  for (const MidiEvent& event : first.events) {
    if (event.tick != 0) {
      break;
    }
    if (!event.IsMeta() || event.metaType != kMetaSequencerSpecific) {
      continue;
    }
    const auto payload = first.Payload(event);
    if (payload.size() == expected.size() &&
        std::equal(expected.begin(), expected.end() - 1, payload.begin()) && payload.back() >= 1 &&
        payload.back() <= 127) {
      return payload.back();
    }
  }
  return std::nullopt;
}

}  // namespace smf
