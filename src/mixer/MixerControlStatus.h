#pragma once

#include <cstdint>

#include "mixer/MixerSet.h"
#include "multimedia/mmtypes.h"

enum TMixerControlStatusFlag : std::uint8_t { csDisabled, csMultiple, csUniform };

using TMixerControlStatus = TSet<TMixerControlStatusFlag, std::uint8_t>;

// The flags of a control's fdwControl that the component keeps; other bits are dropped.
TMixerControlStatus StatusOf(mm::DWORD controlFlags);
