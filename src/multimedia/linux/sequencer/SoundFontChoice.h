#pragma once

// Which soundfont the synthesiser plays with: the first readable one of a fixed list of places,
// so that the sound does not change behind the user's back with whatever else is installed.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sequencer {

// The environment variable with which a user names the soundfont to play with.
constexpr const char* kSoundFontVariable = "KALVIO_SOUNDFONT";

// A place a soundfont may be, and why it is looked at.
struct SoundFontCandidate {
  std::filesystem::path path;
  std::string reason;
  bool namedByUser = false;  // through KALVIO_SOUNDFONT
};

// A readable soundfont file, recognised by its own name and size.
struct SoundFont {
  std::filesystem::path path;
  std::string reason;
  // The name its levels go by for a font the catalogue is levelled with, else empty.
  std::string knownName;
};

// The places in order. A font the user names (`userChoice`, KALVIO_SOUNDFONT) is the only one:
// the user asked for it, and playing another would hide a mistyped path. Otherwise the system's
// choice (Debian's default-GM.sf2 alternative), then the General MIDI fonts the catalogue is
// levelled with by name where distributions keep them, then Fedora's and Arch's default.sf2.
std::vector<SoundFontCandidate> SoundFontCandidates(const char* userChoice);
// SoundFontCandidates with the environment's KALVIO_SOUNDFONT.
std::vector<SoundFontCandidate> SystemSoundFontCandidates();

// The candidate read as a soundfont file (RIFF "sfbk"); nullopt when it is none or unreadable.
std::optional<SoundFont> IdentifySoundFont(const SoundFontCandidate& candidate);

// The first candidate that is a readable soundfont file.
std::optional<SoundFont> ChooseSoundFont(std::span<const SoundFontCandidate> candidates);

// One line that says which font was chosen and why, or that there is none and what to do.
std::string SoundFontChoiceLine(const std::optional<SoundFont>& font,
                                std::span<const SoundFontCandidate> candidates);

// Writes the line to standard error unless it is the line written last (several synthesisers,
// or retries without a font, say it once).
void ReportSoundFontChoice(const std::string& line);

}  // namespace sequencer
