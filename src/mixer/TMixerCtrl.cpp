#include "mixer/TMixerCtrl.h"

#include <cstring>

#include "mixer/TextOfField.h"

namespace {

template <typename Record, typename SystemRecord>
std::unique_ptr<Record> CopyOf(const SystemRecord& source) {
  static_assert(sizeof(Record) == sizeof(SystemRecord));
  auto copy = std::make_unique<Record>();
  std::memcpy(copy->Reserved.data(), &source, sizeof(Record));
  return copy;
}

}  // namespace

TMixerCtrl::TMixerCtrl(const mm::MIXERCONTROLW& Control, TMixerOptions Options)
    : FControlID(Control.dwControlID),
      FControlType(ControlTypeOf(Control.dwControlType)),
      FStatus(StatusOf(Control.fdwControl)),
      FMultipleItems(Control.cMultipleItems) {
  if (!Options.Contains(moNoControlName)) {
    FName = TextOfField(Control.szName);
  }
  if (!Options.Contains(moNoControlShortName)) {
    FShortName = TextOfField(Control.szShortName);
  }
  if (!Options.Contains(moNoControlBounds)) {
    FBounds = CopyOf<TMixerCtrlBounds>(Control.Bounds);
  }
  if (!Options.Contains(moNoControlMetrics)) {
    FMetrics = CopyOf<TMixerCtrlMetrics>(Control.Metrics);
  }
}

TMixerCtrl::~TMixerCtrl() = default;

TMixerCtrlBounds TMixerCtrl::Bounds() const {
  return FBounds ? *FBounds : TMixerCtrlBounds{};
}

TMixerCtrlMetrics TMixerCtrl::Metrics() const {
  return FMetrics ? *FMetrics : TMixerCtrlMetrics{};
}
