#include "VolumeScale.h"

#include <algorithm>

namespace mm::alsa {
namespace {

// Round half up of numerator / denominator for non-negative operands.
long long DivideRounded(long long numerator, long long denominator) {
  return (2 * numerator + denominator) / (2 * denominator);
}

}  // namespace

long ElementVolumeOfRaw(DWORD raw, VolumeRange range) {
  const long long span = range.maximum - range.minimum;
  const long long clamped = std::min<long long>(raw, kRawVolumeMaximum);
  return range.minimum + static_cast<long>(DivideRounded(clamped * span, kRawVolumeMaximum));
}

DWORD RawOfElementVolume(long value, VolumeRange range) {
  const long long span = range.maximum - range.minimum;
  const long long offset = std::clamp<long long>(value - range.minimum, 0, span);
  return static_cast<DWORD>(DivideRounded(offset * kRawVolumeMaximum, span));
}

void WrittenVolumes::Remember(DWORD controlId, std::size_t channel, DWORD raw, long elementValue) {
  FWritten[{controlId, channel}] = {raw, elementValue};
}

DWORD WrittenVolumes::RawOf(DWORD controlId, std::size_t channel, long elementValue,
                            VolumeRange range) const {
  const auto written = FWritten.find({controlId, channel});
  if (written != FWritten.end() && written->second.second == elementValue) {
    return written->second.first;
  }
  return RawOfElementVolume(elementValue, range);
}

}  // namespace mm::alsa
