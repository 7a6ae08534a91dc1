#pragma once

// Reader of Standard MIDI Files (formats 0, 1 and 2; metrical and SMPTE divisions; a RIFF "RMID"
// wrapper is unwrapped). Portable and free of any synthesiser: the sequencer device plays what it
// returns, and the catalogue tools inspect and rewrite files with it.
//
// Malformed input is refused with an SmfError, never half-read. Limits keep any input bounded:
// at most kMaxFileBytes bytes (so at most about 16 bytes of event per byte of file), every event
// before tick 2^32 of the song and a song no longer than kMaxSongMicroseconds.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace smf {

constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;
constexpr std::uint64_t kMaxSongMicroseconds = 24ULL * 60 * 60 * 1000 * 1000;

enum class SmfError {
  kNone,
  kCannotOpen,         // the file does not exist or cannot be opened
  kReadFailed,         // reading the file failed
  kFileTooLarge,       // more than kMaxFileBytes
  kNotMidiFile,        // neither "MThd" nor a RIFF "RMID" wrapper around one
  kBadHeader,          // header chunk too short
  kUnsupportedFormat,  // format above 2
  kNoTracks,           // the header announces no track
  kBadDivision,        // 0 ticks per quarter, or an SMPTE rate other than 24, 25, 29, 30
  kBadChunkLength,     // a chunk runs past the end of the file
  kMissingTrack,       // fewer "MTrk" chunks than the header announces
  kTruncatedTrack,     // an event runs past the end of its track chunk
  kBadVariableLength,  // a variable-length number longer than 4 bytes
  kMissingStatus,      // a data byte with no status byte (running status) before it
  kBadDataByte,        // a channel message's data byte has its top bit set
  kBadStatus,          // a status byte that has no meaning in a file (0xF1-0xF6, 0xF8-0xFE)
  kBadTempo,           // a tempo meta event whose length is not 3 or whose tempo is 0
  kTooLong,            // events at tick 2^32 or later, or a song longer than kMaxSongMicroseconds
};

// An English description of the error, for tools and logs.
std::string_view Describe(SmfError error);

// Time base of the file. Metrical: ticksPerQuarter > 0 and the tempo map turns ticks into time.
// SMPTE: framesPerSecond is 24, 25, 29 (30 drop-frame, 29.97 frames a second) or 30, and a tick
// is 1 / (rate * ticksPerFrame) seconds whatever the tempo.
struct Division {
  std::uint16_t ticksPerQuarter = 0;
  std::uint8_t framesPerSecond = 0;
  std::uint8_t ticksPerFrame = 0;

  bool IsSmpte() const { return framesPerSecond != 0; }
};

constexpr std::uint8_t kSysExStatus = 0xF0;
constexpr std::uint8_t kSysExEscapeStatus = 0xF7;
constexpr std::uint8_t kMetaStatus = 0xFF;
constexpr std::uint8_t kMetaTempo = 0x51;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;

// One event of a track. Channel messages (status 0x80-0xEF, running status already resolved)
// carry their data bytes in data1 and data2 (0 when the message has fewer). SysEx (0xF0: the
// bytes after F0, normally ending in F7; 0xF7: the bytes as they stand) and meta events (0xFF,
// metaType) carry their bytes in the track's payload.
struct MidiEvent {
  std::uint32_t tick = 0;  // absolute, counted from the start of the track
  std::uint8_t status = 0;
  std::uint8_t metaType = 0;
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;
  std::uint32_t payloadOffset = 0;
  std::uint32_t payloadSize = 0;

  bool IsChannelMessage() const { return status >= 0x80 && status < 0xF0; }
  bool IsSysEx() const { return status == kSysExStatus || status == kSysExEscapeStatus; }
  bool IsMeta() const { return status == kMetaStatus; }
};

struct MidiTrack {
  // Song tick at which the track begins: 0 in formats 0 and 1; in format 2 the tracks are
  // independent sequences played one after another, each starting where the previous one ends.
  std::uint64_t startTick = 0;
  // Tick of the end-of-track event, or of the last event when the track has none.
  std::uint32_t endTick = 0;
  // In file order, so ticks never decrease. The end-of-track event is the last one when present.
  std::vector<MidiEvent> events;
  std::vector<std::uint8_t> payload;

  std::span<const std::uint8_t> Payload(const MidiEvent& event) const {
    return std::span<const std::uint8_t>(payload).subspan(event.payloadOffset, event.payloadSize);
  }
};

struct StandardMidiFile {
  std::uint16_t format = 0;
  Division division;
  std::vector<MidiTrack> tracks;

  // The song tick of the last track's end: where the song ends.
  std::uint64_t EndTick() const;
};

// Parses a whole file held in memory. On failure `file` is left empty.
SmfError ReadStandardMidiFile(std::span<const std::uint8_t> bytes, StandardMidiFile& file);

// Reads and parses a file from disk; its size is checked before anything is read.
SmfError ReadStandardMidiFile(const std::filesystem::path& path, StandardMidiFile& file);

}  // namespace smf
