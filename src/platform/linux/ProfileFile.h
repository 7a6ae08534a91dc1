#pragma once

#include <optional>
#include <string>

namespace platform {

// A profile file on disk, by its path in the system's encoding.

// The file's bytes; empty for a file that does not exist (a link to nothing included). Nothing
// when the file exists but cannot be read whole: no permission, a read error, not a regular file.
std::optional<std::string> ReadProfileFile(const std::string& path);

// Replaces the file with `text` in one step: a new file beside it, synced, renamed over it, and
// the folder synced. A symbolic link is written through to its target, which it creates if
// missing. Temporaries left by an earlier write that did not finish are removed. False when the
// system refuses any step; the file is then left as it was.
bool ReplaceProfileFile(const std::string& path, const std::string& text);

}  // namespace platform
