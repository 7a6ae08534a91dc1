#include "Normaliser.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <stdexcept>
#include <utility>

#include "multimedia/linux/sequencer/FontLevels.h"

namespace catalogue {
namespace {

constexpr std::uint8_t kMetaCopyright = 0x02;
constexpr std::uint8_t kMetaSequenceName = 0x03;
constexpr std::uint8_t kLastTextMeta = 0x0F;
constexpr std::uint8_t kExpression = 11;

// Round to the nearest tick of the new division, halves upwards.
std::uint32_t Retime(std::uint64_t tick, std::uint32_t from, std::uint32_t to) {
  return static_cast<std::uint32_t>((tick * to + from / 2) / from);
}

bool IsTextMeta(const smf::MidiEvent& event) {
  return event.IsMeta() && event.metaType >= 0x01 && event.metaType <= kLastTextMeta;
}

std::vector<std::uint8_t> MessageBytes(const smf::MidiTrack& track, const smf::MidiEvent& event) {
  std::vector<std::uint8_t> message{event.status};
  if (event.IsChannelMessage()) {
    message.push_back(event.data1);
    const std::uint8_t kind = event.status & 0xF0;
    if (kind != 0xC0 && kind != 0xD0) {
      message.push_back(event.data2);
    }
    return message;
  }
  if (event.IsMeta()) {
    message.push_back(event.metaType);
  }
  const auto payload = track.Payload(event);
  AppendVariableLength(message, static_cast<std::uint32_t>(payload.size()));
  message.insert(message.end(), payload.begin(), payload.end());
  return message;
}

TrackEvent Meta(std::uint8_t type, const std::vector<std::uint8_t>& payload) {
  TrackEvent event{0, {0xFF, type}};
  AppendVariableLength(event.message, static_cast<std::uint32_t>(payload.size()));
  event.message.insert(event.message.end(), payload.begin(), payload.end());
  return event;
}

TrackEvent MetaText(std::uint8_t type, const std::string& text) {
  return Meta(type, std::vector<std::uint8_t>(text.begin(), text.end()));
}

bool IsNoteOn(const TrackEvent& event) {
  return (event.message[0] & 0xF0) == 0x90 && event.message[2] != 0;
}

bool IsNoteOff(const TrackEvent& event) {
  const std::uint8_t kind = event.message[0] & 0xF0;
  return kind == 0x80 || (kind == 0x90 && event.message[2] == 0);
}

// Rounding can put a short note's end on its start; such a note ends one tick later instead.
void LengthenCollapsedNotes(std::vector<TrackEvent>& events) {
  std::map<std::pair<std::uint8_t, std::uint8_t>, std::deque<std::uint32_t>> sounding;
  bool moved = false;
  for (TrackEvent& event : events) {
    if (event.message.size() != 3) {
      continue;
    }
    const std::pair key{static_cast<std::uint8_t>(event.message[0] & 0x0F), event.message[1]};
    if (IsNoteOn(event)) {
      sounding[key].push_back(event.tick);
    } else if (IsNoteOff(event) && !sounding[key].empty()) {
      const std::uint32_t start = sounding[key].front();
      sounding[key].pop_front();
      if (event.tick <= start) {
        event.tick = start + 1;
        moved = true;
      }
    }
  }
  if (moved) {
    std::ranges::stable_sort(events, {}, &TrackEvent::tick);
  }
}

struct RetimedTrack {
  std::vector<TrackEvent> meta;
  std::vector<TrackEvent> other;
  std::vector<TrackEvent> all;
};

RetimedTrack Retimed(const smf::MidiTrack& track, std::uint32_t from, std::uint32_t to) {
  RetimedTrack result;
  for (const smf::MidiEvent& event : track.events) {
    if (IsTextMeta(event) || (event.IsMeta() && event.metaType == smf::kMetaEndOfTrack)) {
      continue;
    }
    TrackEvent retimed{Retime(track.startTick + event.tick, from, to), MessageBytes(track, event)};
    result.all.push_back(retimed);
  }
  LengthenCollapsedNotes(result.all);
  for (const TrackEvent& event : result.all) {
    (event.message[0] == smf::kMetaStatus ? result.meta : result.other).push_back(event);
  }
  return result;
}

// Stable merge: at equal ticks, earlier lists first.
std::vector<TrackEvent> Merged(std::vector<TrackEvent> head,
                               const std::vector<std::vector<TrackEvent>>& lists) {
  for (const auto& list : lists) {
    head.insert(head.end(), list.begin(), list.end());
  }
  std::ranges::stable_sort(head, {}, &TrackEvent::tick);
  return head;
}

std::uint32_t LastTick(const std::vector<TrackEvent>& events) {
  return events.empty() ? 0 : events.back().tick;
}

// Where the music ends: the latest end of a track that sounds. abc2midi ends its conductor track
// well after the music, by several seconds in pieces that change tempo, so tracks of meta events
// only do not count.
std::uint64_t MusicEndTick(const smf::StandardMidiFile& source) {
  std::uint64_t end = 0;
  bool sounds = false;
  for (const smf::MidiTrack& track : source.tracks) {
    if (std::ranges::any_of(track.events, &smf::MidiEvent::IsChannelMessage)) {
      end = std::max(end, track.startTick + track.endTick);
      sounds = true;
    }
  }
  return sounds ? end : source.EndTick();
}

// Puts the expression controller at tick 0 of the track, ahead of everything else there, for
// each channel the track plays that no earlier track has claimed.
void SetExpression(std::vector<TrackEvent>& events, std::uint8_t value,
                   std::array<bool, 16>& claimed) {
  std::vector<TrackEvent> controllers;
  for (const TrackEvent& event : events) {
    const std::uint8_t status = event.message[0];
    if (status < 0x80 || status >= 0xF0 || claimed[status & 0x0F]) {
      continue;
    }
    claimed[status & 0x0F] = true;
    controllers.push_back(
        {0, {static_cast<std::uint8_t>(0xB0 | (status & 0x0F)), kExpression, value}});
  }
  events.insert(events.begin(), controllers.begin(), controllers.end());
}

}  // namespace

std::vector<Track> NormalisedTracks(const smf::StandardMidiFile& source,
                                    const PieceLayout& layout) {
  if (source.division.IsSmpte() || source.division.ticksPerQuarter == 0) {
    throw std::invalid_argument("the source file is not timed in ticks per quarter note");
  }
  const std::uint32_t from = source.division.ticksPerQuarter;
  const std::uint32_t to = layout.ticksPerQuarter;

  std::vector<RetimedTrack> retimed;
  std::array<bool, 16> claimedInTracks{}, claimedInMerge{};
  for (const smf::MidiTrack& track : source.tracks) {
    retimed.push_back(Retimed(track, from, to));
    if (layout.expression) {
      SetExpression(retimed.back().other, *layout.expression, claimedInTracks);
      SetExpression(retimed.back().all, *layout.expression, claimedInMerge);
    }
  }
  std::vector<TrackEvent> heading{MetaText(kMetaCopyright, layout.copyright),
                                  MetaText(kMetaSequenceName, layout.title)};
  for (const auto& [font, expression] : layout.fontExpressions) {
    heading.push_back(
        Meta(smf::kMetaSequencerSpecific, smf::FontExpressionPayload(font, expression)));
  }
  // One quarter note after the music lets the last notes ring out before the piece ends.
  const std::uint32_t songEnd = Retime(MusicEndTick(source), from, to) + to;

  std::vector<Track> tracks;
  if (layout.format == 0) {
    std::vector<std::vector<TrackEvent>> all;
    for (const RetimedTrack& track : retimed) {
      all.push_back(track.all);
    }
    Track merged{Merged(heading, all), 0};
    merged.endTick = std::max(songEnd, LastTick(merged.events));
    tracks.push_back(std::move(merged));
    return tracks;
  }
  std::vector<std::vector<TrackEvent>> meta;
  for (const RetimedTrack& track : retimed) {
    meta.push_back(track.meta);
  }
  Track conductor{Merged(heading, meta), 0};
  conductor.endTick = std::max(songEnd, LastTick(conductor.events));
  tracks.push_back(std::move(conductor));
  for (const RetimedTrack& track : retimed) {
    if (!track.other.empty()) {
      tracks.push_back({track.other, std::max(songEnd, LastTick(track.other))});
    }
  }
  return tracks;
}

std::vector<std::uint8_t> NormalisedFile(const smf::StandardMidiFile& source,
                                         const PieceLayout& layout) {
  return StandardMidiFileBytes(layout.format, layout.ticksPerQuarter,
                               NormalisedTracks(source, layout));
}

}  // namespace catalogue
