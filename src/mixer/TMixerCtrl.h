#pragma once

#include <memory>
#include <string>

#include "mixer/MixerControlStatus.h"
#include "mixer/MixerControlType.h"
#include "mixer/MixerOptions.h"
#include "mixer/MixerRecords.h"
#include "multimedia/mixerapi.h"

class TMixer;
class TMixerItem;

// One control of one line, as the scan found it.
class TMixerCtrl {
 public:
  TMixerCtrl(const mm::MIXERCONTROLW& Control, TMixerOptions Options);
  virtual ~TMixerCtrl();
  TMixerCtrl(const TMixerCtrl&) = delete;
  TMixerCtrl& operator=(const TMixerCtrl&) = delete;

  TMixerItem* Parent() const { return FParent; }
  mm::DWORD ControlID() const { return FControlID; }
  TMixerControlType ControlType() const { return FControlType; }
  TMixerControlStatus Status() const { return FStatus; }
  mm::DWORD MultipleItems() const { return FMultipleItems; }
  const std::u16string& Name() const { return FName; }
  void SetName(std::u16string Value) { FName = std::move(Value); }
  const std::u16string& ShortName() const { return FShortName; }
  void SetShortName(std::u16string Value) { FShortName = std::move(Value); }
  // Zero records when the control keeps none (moNoControlBounds, moNoControlMetrics).
  TMixerCtrlBounds Bounds() const;
  TMixerCtrlMetrics Metrics() const;

 private:
  friend class TMixer;  // its CreateCtrl sets the parent right after construction

  TMixerItem* FParent = nullptr;
  mm::DWORD FControlID;
  TMixerControlType FControlType;
  TMixerControlStatus FStatus;
  mm::DWORD FMultipleItems;
  std::u16string FName;
  std::u16string FShortName;
  std::unique_ptr<TMixerCtrlBounds> FBounds;
  std::unique_ptr<TMixerCtrlMetrics> FMetrics;
};
