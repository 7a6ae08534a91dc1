#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "SmfWriter.h"
#include "multimedia/linux/sequencer/StandardMidiFile.h"

namespace catalogue {

struct PieceLayout {
  std::uint16_t format = 1;  // 0 or 1
  std::uint16_t ticksPerQuarter = 480;
  std::string title;      // UTF-8, the sequence name
  std::string copyright;  // UTF-8
  // Expression (controller 11) set on every channel that plays, at the start: the piece's level.
  std::optional<std::uint8_t> expression;
  // The expression for each other soundfont that has one of its own, by name (see FontLevels.h).
  std::map<std::string, std::uint8_t> fontExpressions;
};

// Rewrites a metrical source file as the catalogue stores it: every tick re-timed to the layout's
// division by rounding the absolute time; the source's text events (names, comments, notices)
// replaced by one copyright notice and one sequence name at the start of the first track; format
// 0 (every track merged) or format 1 (a conductor track with the meta events, then one track per
// source track that has other events); no note shorter than one tick; and every track ending one
// quarter note after the last source track with channel messages ends; with the layout's
// expression, an expression controller on every channel before its first message, and after the
// sequence name a meta event for each soundfont's own expression. Throws
// std::invalid_argument for an SMPTE-timed source.
std::vector<Track> NormalisedTracks(const smf::StandardMidiFile& source, const PieceLayout& layout);

// The file bytes of NormalisedTracks.
std::vector<std::uint8_t> NormalisedFile(const smf::StandardMidiFile& source,
                                         const PieceLayout& layout);

}  // namespace catalogue
