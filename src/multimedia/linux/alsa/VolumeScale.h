#pragma once

#include <map>
#include <utility>

#include "ElementValues.h"
#include "multimedia/mixerapi.h"

namespace mm::alsa {

constexpr DWORD kRawVolumeMaximum = 65535;

// Raw volume 0..65535 spread linearly over the element's range, rounding to the nearest step.
// With a range of 65535 steps or more (a sound server's 0..65536) every raw value survives the
// trip through the element unchanged.
long ElementVolumeOfRaw(DWORD raw, VolumeRange range);
DWORD RawOfElementVolume(long value, VolumeRange range);

// A card's element may have only 32 steps: then the raw value we wrote cannot be recovered from
// the step it became, and a volume set in percent would read back a percent off. So each channel
// remembers the raw value last written and reports it while the element still stands at the step
// that write produced; a change made elsewhere moves the step and the scale applies again.
class WrittenVolumes {
 public:
  void Remember(DWORD controlId, std::size_t channel, DWORD raw, long elementValue);
  DWORD RawOf(DWORD controlId, std::size_t channel, long elementValue, VolumeRange range) const;

 private:
  std::map<std::pair<DWORD, std::size_t>, std::pair<DWORD, long>> FWritten;
};

}  // namespace mm::alsa
