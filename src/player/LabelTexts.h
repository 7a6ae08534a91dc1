#pragma once

#include <cstdint>
#include <string>

#include "rtl/IntToStr.h"

// Label4's text for a piece number: "37 トラック".
inline std::u16string TrackText(std::int32_t piece) {
  return IntToStr(piece) + u" トラック";
}

// Label3's text for a volume percent: "音量 (40)".
inline std::u16string VolumeText(std::int32_t percent) {
  return u"音量 (" + IntToStr(percent) + u")";
}
