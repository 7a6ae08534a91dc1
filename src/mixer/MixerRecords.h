#pragma once

#include <array>
#include <bit>
#include <string>

#include "multimedia/mmtypes.h"

// The raw volume pair of a line. A control holding one value keeps it in Left (alias Mono) and
// leaves Right 0.
struct TMixerVolume {
  mm::DWORD Left = 0;
  mm::DWORD Right = 0;

  mm::DWORD& Mono() { return Left; }
  mm::DWORD Mono() const { return Left; }
  std::array<mm::DWORD, 2> Volume() const { return {Left, Right}; }

  bool operator==(const TMixerVolume&) const = default;
};
static_assert(sizeof(TMixerVolume) == 8);

// A copy of MIXERCONTROLW.Bounds, readable as signed or unsigned range.
struct TMixerCtrlBounds {
  std::array<mm::DWORD, 6> Reserved{};

  mm::LONG SignedMin() const { return std::bit_cast<mm::LONG>(Reserved[0]); }
  mm::LONG SignedlMax() const { return std::bit_cast<mm::LONG>(Reserved[1]); }
  mm::DWORD Min() const { return Reserved[0]; }
  mm::DWORD Max() const { return Reserved[1]; }

  bool operator==(const TMixerCtrlBounds&) const = default;
};
static_assert(sizeof(TMixerCtrlBounds) == 24);
using PMixerCtrlBounds = TMixerCtrlBounds*;

// A copy of MIXERCONTROLW.Metrics.
struct TMixerCtrlMetrics {
  std::array<mm::DWORD, 6> Reserved{};

  mm::DWORD Steps() const { return Reserved[0]; }
  mm::DWORD CustomData() const { return Reserved[0]; }

  bool operator==(const TMixerCtrlMetrics&) const = default;
};
static_assert(sizeof(TMixerCtrlMetrics) == 24);
using PMixerCtrlMetrics = TMixerCtrlMetrics*;

// One row of a multiple-item list: the item's list text and its two parameters.
struct TMixerMultipleItemData {
  std::u16string Name;
  mm::DWORD Param1 = 0;
  mm::DWORD Param2 = 0;

  bool operator==(const TMixerMultipleItemData&) const = default;
};
using PMixerMultipleItemData = TMixerMultipleItemData*;
