#include "multimedia/linux/sequencer/SoundFontChoice.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string_view>

namespace sequencer {

namespace {

struct KnownSoundFont {
  std::string_view name;      // what its levels go by
  std::string_view fileName;  // as distributions install it
  std::string_view infoName;  // its own name, the INAM of its INFO list
  std::uintmax_t size;
};

// A font is recognised by its own name and size, wherever it lies and whatever it is called.
constexpr std::array<KnownSoundFont, 2> kKnownSoundFonts{{
    {"TimGM6mb", "TimGM6mb.sf2", "TimGM6mb1.sf2", 5969788},
    {"FluidR3_GM", "FluidR3_GM.sf2", "Fluid R3 GM", 148398306},
}};

constexpr std::array<std::string_view, 2> kFontFolders{"/usr/share/sounds/sf2",
                                                       "/usr/share/soundfonts"};

std::uint32_t LittleEndian32(const char* bytes) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes);
  return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

// The INAM of the INFO list, which a soundfont file begins with; nullopt when the file is no
// soundfont. A missing name is an empty one.
std::optional<std::string> InfoName(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  char header[20];
  if (!file.read(header, sizeof header) || std::memcmp(header, "RIFF", 4) != 0 ||
      std::memcmp(header + 8, "sfbkLIST", 8) != 0) {
    return std::nullopt;
  }
  char kind[4];
  if (!file.read(kind, 4) || std::memcmp(kind, "INFO", 4) != 0) {
    return std::nullopt;
  }
  const std::uint32_t listSize = LittleEndian32(header + 16);
  if (listSize < 4) {
    return std::nullopt;
  }
  std::uint32_t left = listSize - 4;
  while (left >= 8) {
    char chunk[8];
    if (!file.read(chunk, 8)) {
      return std::nullopt;
    }
    const std::uint32_t size = LittleEndian32(chunk + 4);
    const std::uint32_t padded = size + (size & 1);
    if (padded > left - 8) {
      return std::nullopt;
    }
    left -= 8 + padded;
    if (std::memcmp(chunk, "INAM", 4) != 0) {
      file.seekg(padded, std::ios::cur);
      continue;
    }
    std::string name(size, '\0');
    if (!file.read(name.data(), size)) {
      return std::nullopt;
    }
    name.resize(std::strlen(name.c_str()));
    return name;
  }
  return std::string();
}

std::string_view KnownName(std::string_view infoName, std::uintmax_t size) {
  for (const KnownSoundFont& font : kKnownSoundFonts) {
    if (font.infoName == infoName && font.size == size) {
      return font.name;
    }
  }
  return {};
}

}  // namespace

std::vector<SoundFontCandidate> SoundFontCandidates(const char* userChoice) {
  if (userChoice != nullptr && *userChoice != '\0') {
    return {{userChoice, std::string("named by ") + kSoundFontVariable, true}};
  }
  std::vector<SoundFontCandidate> candidates{
      {"/usr/share/sounds/sf2/default-GM.sf2", "the system's General MIDI soundfont", false}};
  for (const KnownSoundFont& font : kKnownSoundFonts) {
    for (std::string_view folder : kFontFolders) {
      candidates.push_back({std::filesystem::path(folder) / font.fileName,
                            "a General MIDI soundfont found by name", false});
    }
  }
  candidates.push_back(
      {"/usr/share/soundfonts/default.sf2", "the system's default soundfont", false});
  return candidates;
}

std::vector<SoundFontCandidate> SystemSoundFontCandidates() {
  return SoundFontCandidates(std::getenv(kSoundFontVariable));
}

std::optional<SoundFont> IdentifySoundFont(const SoundFontCandidate& candidate) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(candidate.path, error);
  if (error) {
    return std::nullopt;
  }
  const std::optional<std::string> name = InfoName(candidate.path);
  if (!name) {
    return std::nullopt;
  }
  return SoundFont{candidate.path, candidate.reason, std::string(KnownName(*name, size))};
}

std::optional<SoundFont> ChooseSoundFont(std::span<const SoundFontCandidate> candidates) {
  for (const SoundFontCandidate& candidate : candidates) {
    if (auto font = IdentifySoundFont(candidate)) {
      return font;
    }
  }
  return std::nullopt;
}

std::string SoundFontChoiceLine(const std::optional<SoundFont>& font,
                                std::span<const SoundFontCandidate> candidates) {
  if (font) {
    const std::string levels = font->knownName.empty()
                                   ? "a font of its own, played at TimGM6mb's levels"
                                   : font->knownName + ", played at its levels";
    return "kalvio: soundfont " + font->path.string() + " (" + font->reason + "; " + levels + ")";
  }
  if (candidates.size() == 1 && candidates.front().namedByUser) {
    return "kalvio: no sound: " + candidates.front().path.string() + " (" +
           candidates.front().reason + ") is no readable soundfont";
  }
  return std::string(
             "kalvio: no sound: no soundfont in /usr/share/sounds/sf2 or "
             "/usr/share/soundfonts; install timgm6mb-soundfont or fluid-soundfont-gm, or "
             "name a soundfont in ") +
         kSoundFontVariable;
}

void ReportSoundFontChoice(const std::string& line) {
  static std::mutex mutex;
  static std::string last;
  const std::lock_guard lock(mutex);
  if (line != last) {
    std::fprintf(stderr, "%s\n", line.c_str());
    last = line;
  }
}

}  // namespace sequencer
