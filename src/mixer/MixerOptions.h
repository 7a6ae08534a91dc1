#pragma once

#include <cstdint>

#include "mixer/MixerSet.h"

// Options of a TMixer. All but moNoBalanceAutoUpdate are read while a scan builds its objects.
enum TMixerOption : std::uint8_t {
  moNoDeviceName,
  moNoLineName,
  moNoLineShortName,
  moNoControlName,
  moNoControlShortName,
  moNoTargetName,
  moNoControlBounds,
  moNoControlMetrics,
  moNoBalanceAutoUpdate,
};

using TMixerOptions = TSet<TMixerOption, std::uint16_t>;
