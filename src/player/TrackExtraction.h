#pragma once

#include <string>

// The one temporary file every piece is copied to before the media player opens it, and its
// folder, under the Documents folder `spDir`. The ".mid" extension selects the MIDI sequencer.
std::u16string TemporaryFolderOf(const std::u16string& spDir);
std::u16string TemporaryFileOf(const std::u16string& spDir);
