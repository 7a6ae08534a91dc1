#include "multimedia/linux/sequencer/StandardMidiFile.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <system_error>

#include "multimedia/linux/sequencer/TempoMap.h"

namespace smf {

namespace {

constexpr std::uint64_t kMaxTick = std::numeric_limits<std::uint32_t>::max();

// Bounds-checked big-endian reading over a span.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : FBytes(bytes) {}

  std::size_t Remaining() const { return FBytes.size() - FPosition; }
  bool AtEnd() const { return FPosition == FBytes.size(); }

  bool Peek(std::uint8_t& value) const {
    if (AtEnd()) {
      return false;
    }
    value = FBytes[FPosition];
    return true;
  }
  bool Byte(std::uint8_t& value) {
    if (!Peek(value)) {
      return false;
    }
    ++FPosition;
    return true;
  }
  bool Word(std::uint16_t& value) {
    std::span<const std::uint8_t> bytes;
    if (!Take(2, bytes)) {
      return false;
    }
    value = static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
    return true;
  }
  bool DoubleWord(std::uint32_t& value) {
    std::span<const std::uint8_t> bytes;
    if (!Take(4, bytes)) {
      return false;
    }
    value = static_cast<std::uint32_t>(bytes[0]) << 24 |
            static_cast<std::uint32_t>(bytes[1]) << 16 | static_cast<std::uint32_t>(bytes[2]) << 8 |
            bytes[3];
    return true;
  }
  bool LittleEndianDoubleWord(std::uint32_t& value) {
    std::span<const std::uint8_t> bytes;
    if (!Take(4, bytes)) {
      return false;
    }
    value = static_cast<std::uint32_t>(bytes[3]) << 24 |
            static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[1]) << 8 |
            bytes[0];
    return true;
  }
  bool Take(std::size_t count, std::span<const std::uint8_t>& bytes) {
    if (count > Remaining()) {
      return false;
    }
    bytes = FBytes.subspan(FPosition, count);
    FPosition += count;
    return true;
  }
  // A variable-length quantity: 7 bits a byte, at most 4 bytes.
  SmfError VariableLength(std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      std::uint8_t byte = 0;
      if (!Byte(byte)) {
        return SmfError::kTruncatedTrack;
      }
      value = value << 7 | (byte & 0x7Fu);
      if ((byte & 0x80) == 0) {
        return SmfError::kNone;
      }
    }
    return SmfError::kBadVariableLength;
  }

 private:
  std::span<const std::uint8_t> FBytes;
  std::size_t FPosition = 0;
};

bool HasTag(std::span<const std::uint8_t> bytes, std::string_view tag) {
  return bytes.size() >= tag.size() && std::equal(tag.begin(), tag.end(), bytes.begin());
}

// Number of data bytes that follow a channel status.
int ChannelDataLength(std::uint8_t status) {
  const int kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// A ".rmi" file wraps the MIDI file in a RIFF "RMID" form: the MIDI bytes are its "data" chunk.
SmfError UnwrapRiff(std::span<const std::uint8_t>& bytes) {
  ByteReader reader(bytes);
  std::span<const std::uint8_t> tag;
  std::uint32_t size = 0;
  if (!reader.Take(4, tag) || !reader.LittleEndianDoubleWord(size) || !reader.Take(4, tag) ||
      !HasTag(tag, "RMID")) {
    return SmfError::kNotMidiFile;
  }
  while (reader.Remaining() >= 8) {
    reader.Take(4, tag);
    reader.LittleEndianDoubleWord(size);
    std::span<const std::uint8_t> body;
    if (!reader.Take(size, body)) {
      return SmfError::kBadChunkLength;
    }
    if (HasTag(tag, "data")) {
      bytes = body;
      return SmfError::kNone;
    }
    if (size % 2 != 0 && !reader.AtEnd()) {
      reader.Take(1, body);  // RIFF chunks are padded to an even length
    }
  }
  return SmfError::kNotMidiFile;
}

SmfError ReadEvent(ByteReader& reader, std::uint8_t& runningStatus, MidiTrack& track,
                   MidiEvent& event) {
  std::uint8_t status = 0;
  if (!reader.Peek(status)) {
    return SmfError::kTruncatedTrack;
  }
  if (status < 0x80) {
    if (runningStatus == 0) {
      return SmfError::kMissingStatus;
    }
    status = runningStatus;
  } else {
    reader.Byte(status);
  }
  event.status = status;

  if (status < 0xF0) {
    runningStatus = status;
    std::uint8_t data[2] = {0, 0};
    for (int i = 0; i < ChannelDataLength(status); ++i) {
      if (!reader.Byte(data[i])) {
        return SmfError::kTruncatedTrack;
      }
      if (data[i] >= 0x80) {
        return SmfError::kBadDataByte;
      }
    }
    event.data1 = data[0];
    event.data2 = data[1];
    return SmfError::kNone;
  }

  if (status != kSysExStatus && status != kSysExEscapeStatus && status != kMetaStatus) {
    return SmfError::kBadStatus;
  }
  if (status == kMetaStatus && !reader.Byte(event.metaType)) {
    return SmfError::kTruncatedTrack;
  }
  std::uint32_t length = 0;
  if (const SmfError error = reader.VariableLength(length); error != SmfError::kNone) {
    return error;
  }
  std::span<const std::uint8_t> bytes;
  if (!reader.Take(length, bytes)) {
    return SmfError::kTruncatedTrack;
  }
  if (status == kMetaStatus && event.metaType == kMetaTempo &&
      (length != 3 || (bytes[0] | bytes[1] | bytes[2]) == 0)) {
    return SmfError::kBadTempo;
  }
  // Meta and SysEx events keep the running status: files in the wild rely on it.
  event.payloadOffset = static_cast<std::uint32_t>(track.payload.size());
  event.payloadSize = length;
  track.payload.insert(track.payload.end(), bytes.begin(), bytes.end());
  return SmfError::kNone;
}

SmfError ReadTrack(std::span<const std::uint8_t> chunk, MidiTrack& track) {
  ByteReader reader(chunk);
  std::uint8_t runningStatus = 0;
  std::uint64_t tick = 0;
  while (!reader.AtEnd()) {
    std::uint32_t delta = 0;
    if (const SmfError error = reader.VariableLength(delta); error != SmfError::kNone) {
      return error;
    }
    tick += delta;
    if (tick > kMaxTick) {
      return SmfError::kTooLong;
    }
    MidiEvent event;
    event.tick = static_cast<std::uint32_t>(tick);
    if (const SmfError error = ReadEvent(reader, runningStatus, track, event);
        error != SmfError::kNone) {
      return error;
    }
    track.events.push_back(event);
    if (event.IsMeta() && event.metaType == kMetaEndOfTrack) {
      break;  // whatever follows the end of the track is not part of it
    }
  }
  track.endTick = track.events.empty() ? 0 : track.events.back().tick;
  return SmfError::kNone;
}

SmfError ReadDivision(std::uint16_t word, Division& division) {
  if (word & 0x8000) {
    const int rate = -static_cast<std::int8_t>(word >> 8);
    if (rate != 24 && rate != 25 && rate != 29 && rate != 30) {
      return SmfError::kBadDivision;
    }
    division.framesPerSecond = static_cast<std::uint8_t>(rate);
    division.ticksPerFrame = static_cast<std::uint8_t>(word & 0xFF);
    return division.ticksPerFrame == 0 ? SmfError::kBadDivision : SmfError::kNone;
  }
  division.ticksPerQuarter = word;
  return word == 0 ? SmfError::kBadDivision : SmfError::kNone;
}

SmfError ReadHeader(ByteReader& reader, StandardMidiFile& file, std::uint16_t& trackCount) {
  std::span<const std::uint8_t> tag;
  std::uint32_t length = 0;
  if (!reader.Take(4, tag) || !HasTag(tag, "MThd")) {
    return SmfError::kNotMidiFile;
  }
  std::span<const std::uint8_t> body;
  if (!reader.DoubleWord(length) || length < 6) {
    return SmfError::kBadHeader;
  }
  if (!reader.Take(length, body)) {
    return SmfError::kBadChunkLength;
  }
  ByteReader header(body);
  std::uint16_t divisionWord = 0;
  header.Word(file.format);
  header.Word(trackCount);
  header.Word(divisionWord);
  if (file.format > 2) {
    return SmfError::kUnsupportedFormat;
  }
  if (trackCount == 0) {
    return SmfError::kNoTracks;
  }
  return ReadDivision(divisionWord, file.division);
}

SmfError ReadChunks(std::span<const std::uint8_t> bytes, StandardMidiFile& file) {
  if (HasTag(bytes, "RIFF")) {
    if (const SmfError error = UnwrapRiff(bytes); error != SmfError::kNone) {
      return error;
    }
  }
  ByteReader reader(bytes);
  std::uint16_t trackCount = 0;
  if (const SmfError error = ReadHeader(reader, file, trackCount); error != SmfError::kNone) {
    return error;
  }
  std::uint64_t songTick = 0;
  while (file.tracks.size() < trackCount) {
    std::span<const std::uint8_t> tag;
    std::uint32_t length = 0;
    std::span<const std::uint8_t> body;
    if (!reader.Take(4, tag) || !reader.DoubleWord(length)) {
      return SmfError::kMissingTrack;
    }
    if (!reader.Take(length, body)) {
      return SmfError::kBadChunkLength;
    }
    if (!HasTag(tag, "MTrk")) {
      continue;  // unknown chunks are skipped, as the format asks
    }
    MidiTrack& track = file.tracks.emplace_back();
    if (const SmfError error = ReadTrack(body, track); error != SmfError::kNone) {
      return error;
    }
    if (file.format == 2) {
      track.startTick = songTick;
      songTick += track.endTick;
      if (songTick > kMaxTick) {
        return SmfError::kTooLong;
      }
    }
  }
  if (TempoMap(file).TickToMicroseconds(file.EndTick()) > kMaxSongMicroseconds) {
    return SmfError::kTooLong;
  }
  return SmfError::kNone;
}

}  // namespace

std::string_view Describe(SmfError error) {
  switch (error) {
    case SmfError::kNone:
      return "no error";
    case SmfError::kCannotOpen:
      return "the file cannot be opened";
    case SmfError::kReadFailed:
      return "the file cannot be read";
    case SmfError::kFileTooLarge:
      return "the file is too large for a MIDI file";
    case SmfError::kNotMidiFile:
      return "not a Standard MIDI File";
    case SmfError::kBadHeader:
      return "the header chunk is too short";
    case SmfError::kUnsupportedFormat:
      return "the MIDI file format is not 0, 1 or 2";
    case SmfError::kNoTracks:
      return "the file announces no track";
    case SmfError::kBadDivision:
      return "the time division is invalid";
    case SmfError::kBadChunkLength:
      return "a chunk runs past the end of the file";
    case SmfError::kMissingTrack:
      return "the file has fewer tracks than its header announces";
    case SmfError::kTruncatedTrack:
      return "an event runs past the end of its track";
    case SmfError::kBadVariableLength:
      return "a variable-length number is longer than 4 bytes";
    case SmfError::kMissingStatus:
      return "a data byte has no status byte before it";
    case SmfError::kBadDataByte:
      return "a data byte of a channel message has its top bit set";
    case SmfError::kBadStatus:
      return "a status byte is not allowed in a MIDI file";
    case SmfError::kBadTempo:
      return "a tempo event is invalid";
    case SmfError::kTooLong:
      return "the song is absurdly long";
  }
  return "unknown error";
}

std::uint64_t StandardMidiFile::EndTick() const {
  std::uint64_t end = 0;
  for (const MidiTrack& track : tracks) {
    end = std::max(end, track.startTick + track.endTick);
  }
  return end;
}

SmfError ReadStandardMidiFile(std::span<const std::uint8_t> bytes, StandardMidiFile& file) {
  file = StandardMidiFile();
  if (bytes.size() > kMaxFileBytes) {
    return SmfError::kFileTooLarge;
  }
  const SmfError error = ReadChunks(bytes, file);
  if (error != SmfError::kNone) {
    file = StandardMidiFile();
  }
  return error;
}

SmfError ReadStandardMidiFile(const std::filesystem::path& path, StandardMidiFile& file) {
  file = StandardMidiFile();
  std::ifstream stream(path, std::ios::binary);
  std::error_code error;
  if (!stream || std::filesystem::is_directory(path, error)) {
    return SmfError::kCannotOpen;
  }
  const auto size = std::filesystem::file_size(path, error);
  if (error) {
    return SmfError::kReadFailed;
  }
  if (size > kMaxFileBytes) {
    return SmfError::kFileTooLarge;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!stream.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
    return SmfError::kReadFailed;
  }
  return ReadStandardMidiFile(std::span<const std::uint8_t>(bytes), file);
}

}  // namespace smf
