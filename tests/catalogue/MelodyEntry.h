#pragma once

#include <filesystem>
#include <optional>

#include "multimedia/linux/sequencer/StandardMidiFile.h"

namespace catalogue {

// When the melody's first note sounds, in seconds from the start of the piece. The melody is the
// tune's first voice, which abc2midi plays on MIDI channel 1; chords, bass, drums and further
// voices go to other channels. nullopt when that channel plays no note.
std::optional<double> MelodyEntrySeconds(const smf::StandardMidiFile& file);

// True when a comment of the arrangement (a line starting with %) says that the piece opens with
// "a longer introduction": such a piece may keep its melody back for longer.
bool OpensWithLongerIntroduction(const std::filesystem::path& abc);

}  // namespace catalogue
