// The scan: every device the system lists, filtered by Target. Failures only narrow the tree.
#include <vector>

#include "mixer/CheckMixerResult.h"
#include "mixer/TMixer.h"
#include "mixer/TMixerCtrl.h"
#include "mixer/TMixerDev.h"
#include "mixer/TMixerItem.h"

namespace {

constexpr mm::DWORD kDestinationQuery =
    mm::MIXER_OBJECTF_HMIXER | mm::MIXER_GETLINEINFOF_DESTINATION;
constexpr mm::DWORD kSourceQuery = mm::MIXER_OBJECTF_HMIXER | mm::MIXER_GETLINEINFOF_SOURCE;
constexpr mm::DWORD kAllControlsQuery = mm::MIXER_OBJECTF_HMIXER | mm::MIXER_GETLINECONTROLSF_ALL;

bool Succeeded(mm::MMRESULT result) {
  return CheckMixerResult(result, false, nullptr);
}

mm::MIXERLINEW LineQuery(mm::DWORD destination, mm::DWORD source) {
  mm::MIXERLINEW line{};
  line.cbStruct = sizeof(line);
  line.dwDestination = destination;
  line.dwSource = source;
  return line;
}

}  // namespace

void TMixer::Scan() {
  Clear();
  const toolkit::WindowHandle window = GetCallbackHandle();
  const mm::DWORD openFlags = window != 0 ? mm::CALLBACK_WINDOW : mm::CALLBACK_NULL;
  const mm::UINT deviceCount = FApi.mixerGetNumDevs();
  for (mm::UINT id = 0; id < deviceCount; ++id) {
    mm::MIXERCAPSW caps{};
    if (!Succeeded(FApi.mixerGetDevCapsW(id, &caps, sizeof(caps)))) {
      continue;
    }
    mm::HMIXER handle = nullptr;
    if (!Succeeded(FApi.mixerOpen(&handle, id, window, 0, openFlags))) {
      continue;
    }
    TMixerDev* dev = AddDevice(handle, caps, FOptions);
    for (mm::DWORD destination = 0; destination < caps.cDestinations; ++destination) {
      if (!ScanDestination(*dev, destination)) {
        break;  // the device keeps the destinations built so far
      }
    }
  }
}

// False when the destination cannot be asked for: the rest of the device is skipped.
bool TMixer::ScanDestination(TMixerDev& Dev, mm::DWORD Destination) {
  mm::MIXERLINEW line = LineQuery(Destination, 0);
  if (!Succeeded(FApi.mixerGetLineInfoW(Dev.Handle(), &line, kDestinationQuery))) {
    return false;
  }
  const mm::DWORD connections = line.cConnections;
  if (!FTarget.LineType().Contains(LineTypeOf(line.dwComponentType))) {
    return true;
  }
  TMixerItem* destItem = nullptr;
  mm::DWORD kept = 0;
  // Source -1 is the destination itself.
  for (std::int64_t source = -1; source < std::int64_t{connections}; ++source) {
    const bool isDestination = source < 0;
    line = LineQuery(Destination, isDestination ? 0 : static_cast<mm::DWORD>(source));
    if (!Succeeded(FApi.mixerGetLineInfoW(Dev.Handle(), &line,
                                          isDestination ? kDestinationQuery : kSourceQuery))) {
      continue;
    }
    if (!FTarget.LineType().Contains(LineTypeOf(line.dwComponentType))) {
      continue;
    }
    const mm::DWORD controlCount = line.cControls;
    if (!isDestination && !FEnableInvalidItem && controlCount == 0) {
      continue;
    }
    TMixerItem* item = Dev.AddItem(line, destItem, FOptions, Destination);
    if (isDestination) {
      destItem = item;
    }
    if (controlCount > 0 && !AddControls(Dev, *item, controlCount)) {
      continue;  // the line stays without controls and does not count for its destination
    }
    if (item->IsDestination()) {
      continue;
    }
    if (FEnableInvalidItem || item->HasCtrl()) {
      ++kept;
    } else {
      Dev.RemoveItem(item);
    }
  }
  if (!FEnableInvalidItem && destItem != nullptr && !destItem->HasCtrl() && kept == 0) {
    RemoveDestination(Dev, destItem);
  }
  return true;
}

bool TMixer::AddControls(TMixerDev& Dev, TMixerItem& Item, mm::DWORD ControlCount) {
  std::vector<mm::MIXERCONTROLW> controls(ControlCount);
  for (auto& control : controls) {
    control.cbStruct = sizeof(control);
  }
  mm::MIXERLINECONTROLSW query{};
  query.cbStruct = sizeof(query);
  query.dwLineID = Item.LineId();
  query.cControls = ControlCount;
  query.cbmxctrl = sizeof(mm::MIXERCONTROLW);
  query.pamxctrl = controls.data();
  if (!Succeeded(FApi.mixerGetLineControlsW(Dev.Handle(), &query, kAllControlsQuery))) {
    return false;
  }
  for (auto& control : controls) {
    if (!FTarget.ControlType().Contains(ControlTypeOf(control.dwControlType))) {
      continue;
    }
    // A mute switch holds one value for all channels.
    if (control.dwControlType == mm::MIXERCONTROL_CONTROLTYPE_MUTE) {
      control.fdwControl |= mm::MIXERCONTROL_CONTROLF_UNIFORM;
    }
    const std::int32_t position = Dev.AddCtrl(control, FOptions, &Item);
    if (Item.FCtrlIndex == -1) {
      Item.FCtrlIndex = position;
    }
  }
  return true;
}

// Sources still under the destination are those whose control query failed: they have no
// controls and go with it, so that no line is left naming a destroyed destination.
void TMixer::RemoveDestination(TMixerDev& Dev, TMixerItem* DestItem) {
  for (std::int32_t i = Dev.Count() - 1; i >= 0; --i) {
    TMixerItem* item = Dev.ItemList[static_cast<std::size_t>(i)].get();
    if (item->DestItem() == DestItem) {
      Dev.RemoveItem(item);
    }
  }
  Dev.RemoveItem(DestItem);
}
