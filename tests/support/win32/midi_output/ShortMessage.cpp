#include "ShortMessage.h"

namespace midi_output {

std::size_t DataBytesOf(std::uint8_t status) {
  switch (status & 0xF0) {
    case 0xC0:
    case 0xD0:
      return 1;
    case 0xF0:
      return status == 0xF2 ? 2 : (status == 0xF1 || status == 0xF3) ? 1 : 0;
    default:
      return status >= 0x80 ? 2 : 0;
  }
}

ShortMessage RunningStatus::Resolve(std::uint32_t packed) {
  const std::array<std::uint8_t, 3> packedBytes{static_cast<std::uint8_t>(packed),
                                                static_cast<std::uint8_t>(packed >> 8),
                                                static_cast<std::uint8_t>(packed >> 16)};
  ShortMessage message;
  std::size_t next = 0;
  if (packedBytes[0] >= 0x80) {
    message.bytes[0] = packedBytes[0];
    next = 1;
    if (packedBytes[0] < 0xF0) {
      status_ = packedBytes[0];
    } else if (packedBytes[0] < 0xF8) {
      status_ = 0;
    }
  } else if (status_ != 0) {
    message.bytes[0] = status_;
  } else {
    message.bytes = {packedBytes[0], packedBytes[1], 0};
    message.size = 2;
    return message;
  }
  const std::size_t dataBytes = DataBytesOf(message.bytes[0]);
  for (std::size_t i = 0; i < dataBytes; ++i) {
    message.bytes[1 + i] = packedBytes[next + i];
  }
  message.size = 1 + dataBytes;
  return message;
}

}  // namespace midi_output
