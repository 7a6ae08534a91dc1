#pragma once

#include <cstdint>

#include "mixer/MixerControlType.h"
#include "mixer/MixerSet.h"

// The value forms in which a control's details travel.
enum TMixerValueKind : std::uint8_t { vkSigned, vkUnsigned, vkBoolean, vkListText };

using TMixerValueKinds = TSet<TMixerValueKind, std::uint8_t>;

// The value forms a control type accepts.
TMixerValueKinds ValueKindsOf(TMixerControlType controlType);
