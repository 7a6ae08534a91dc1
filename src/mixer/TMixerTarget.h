#pragma once

#include "mixer/MixerControlType.h"
#include "mixer/MixerLineType.h"

// The scan filter: which line types and control types a scan builds. Empty unless set; TMixer
// starts its own with the component's defaults.
class TMixerTarget {
 public:
  TMixerLineTypes LineType() const { return FLineType; }
  void SetLineType(TMixerLineTypes Value) { FLineType = Value; }
  TMixerControlTypes ControlType() const { return FControlType; }
  void SetControlType(TMixerControlTypes Value) { FControlType = Value; }

  bool operator==(const TMixerTarget&) const = default;

 private:
  TMixerLineTypes FLineType;
  TMixerControlTypes FControlType;
};
