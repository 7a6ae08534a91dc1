#pragma once

#include <string_view>

#include "MixerDevices.h"
#include "MixerLayout.h"
#include "multimedia/mixerapi.h"

namespace mm::alsa {

// Writes UTF-8 text into a fixed WCHAR field: cut to fit with its terminating 0 (never inside a
// surrogate pair), the rest zero.
void CopyName(std::string_view text, WCHAR* field, std::size_t capacity);

void FillCaps(const MixerDevice& device, MIXERCAPSW& caps);
// Fills the line record from dwLineID on, keeping cbStruct; a lost device's lines are
// disconnected.
void FillLine(const LineLayout& line, const MixerDevice& device, bool connected,
              MIXERLINEW& record);
void FillControl(const ControlLayout& control, const LineLayout& line, MIXERCONTROLW& record);

}  // namespace mm::alsa
