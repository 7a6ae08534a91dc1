#pragma once

// A piece's level for each soundfont it has been levelled with. Fonts differ in loudness from
// instrument to instrument, so one level per piece cannot even out the catalogue for every font.
// The file's own expression controllers at its start carry the level for the font the catalogue
// is chiefly levelled with (and for any other font); a sequencer-specific meta event at the start
// of the first track carries the expression for each other font it knows, by name.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "multimedia/linux/sequencer/StandardMidiFile.h"

namespace smf {

constexpr std::uint8_t kMetaSequencerSpecific = 0x7F;

// The payload of the meta event that gives `font` the expression `value`.
std::vector<std::uint8_t> FontExpressionPayload(std::string_view font, std::uint8_t value);

// The expression the file gives `font`; nullopt when it names no expression for it.
std::optional<std::uint8_t> FontExpression(const StandardMidiFile& file, std::string_view font);

}  // namespace smf
