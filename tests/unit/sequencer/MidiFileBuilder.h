#pragma once

// Hand-made Standard MIDI Files for tests, benchmarks and fuzzing seeds: every byte is chosen by
// the caller, so malformed files are as easy to write as good ones.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace midi_test {

using Bytes = std::vector<std::uint8_t>;

inline void AppendVariableLength(Bytes& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) {
    out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
  }
  out.push_back(groups[0]);
}

inline void AppendBigEndian(Bytes& out, std::uint32_t value, int byteCount) {
  for (int shift = (byteCount - 1) * 8; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

inline Bytes Chunk(std::string_view tag, const Bytes& body) {
  Bytes out(tag.begin(), tag.end());
  AppendBigEndian(out, static_cast<std::uint32_t>(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

// The body of one "MTrk" chunk, event by event; each call takes the delta time before its event.
class TrackBuilder {
 public:
  // Raw bytes after the delta time: a status (or running-status data) and what follows it.
  TrackBuilder& Event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
    AppendVariableLength(FBytes, delta);
    FBytes.insert(FBytes.end(), bytes);
    return *this;
  }
  TrackBuilder& NoteOn(std::uint32_t delta, int channel, int key, int velocity = 100) {
    return Event(delta, {Byte(0x90 | channel), Byte(key), Byte(velocity)});
  }
  TrackBuilder& NoteOff(std::uint32_t delta, int channel, int key) {
    return Event(delta, {Byte(0x80 | channel), Byte(key), 0x40});
  }
  TrackBuilder& Program(std::uint32_t delta, int channel, int program) {
    return Event(delta, {Byte(0xC0 | channel), Byte(program)});
  }
  TrackBuilder& Controller(std::uint32_t delta, int channel, int controller, int value) {
    return Event(delta, {Byte(0xB0 | channel), Byte(controller), Byte(value)});
  }
  TrackBuilder& Meta(std::uint32_t delta, std::uint8_t type, const Bytes& data) {
    AppendVariableLength(FBytes, delta);
    FBytes.push_back(0xFF);
    FBytes.push_back(type);
    AppendVariableLength(FBytes, static_cast<std::uint32_t>(data.size()));
    FBytes.insert(FBytes.end(), data.begin(), data.end());
    return *this;
  }
  TrackBuilder& SysEx(std::uint32_t delta, std::uint8_t status, const Bytes& data) {
    AppendVariableLength(FBytes, delta);
    FBytes.push_back(status);
    AppendVariableLength(FBytes, static_cast<std::uint32_t>(data.size()));
    FBytes.insert(FBytes.end(), data.begin(), data.end());
    return *this;
  }
  TrackBuilder& Tempo(std::uint32_t delta, std::uint32_t microsecondsPerQuarter) {
    Bytes data;
    AppendBigEndian(data, microsecondsPerQuarter, 3);
    return Meta(delta, 0x51, data);
  }
  TrackBuilder& End(std::uint32_t delta = 0) { return Meta(delta, 0x2F, {}); }

  const Bytes& Body() const { return FBytes; }
  Bytes Chunk() const { return midi_test::Chunk("MTrk", FBytes); }

 private:
  static std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

  Bytes FBytes;
};

inline Bytes Header(std::uint16_t format, std::uint16_t trackCount, std::uint16_t division) {
  Bytes body;
  AppendBigEndian(body, format, 2);
  AppendBigEndian(body, trackCount, 2);
  AppendBigEndian(body, division, 2);
  return Chunk("MThd", body);
}

inline Bytes MidiFile(std::uint16_t format, std::uint16_t division,
                      const std::vector<TrackBuilder>& tracks) {
  Bytes out = Header(format, static_cast<std::uint16_t>(tracks.size()), division);
  for (const TrackBuilder& track : tracks) {
    const Bytes chunk = track.Chunk();
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

// SMPTE division word: frames per second (24, 25, 29, 30) and ticks per frame.
inline std::uint16_t SmpteDivision(int framesPerSecond, int ticksPerFrame) {
  return static_cast<std::uint16_t>((256 - framesPerSecond) << 8 | ticksPerFrame);
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace midi_test
