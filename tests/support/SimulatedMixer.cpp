#include "support/SimulatedMixer.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <set>
#include <type_traits>
#include <utility>

#include "toolkit/MessageWindow.h"

namespace {

constexpr mm::DWORD kObjectMask = 0xF0000000;

template <std::size_t N>
void CopyText(mm::WCHAR (&field)[N], const std::u16string& text) {
  std::fill(std::begin(field), std::end(field), mm::WCHAR{0});
  std::copy_n(text.begin(), std::min(N, text.size()), field);
}

bool IsUniform(const SimControl& control) {
  return (control.flags & mm::MIXERCONTROL_CONTROLF_UNIFORM) != 0;
}

bool IsMultiple(const SimControl& control) {
  return (control.flags & mm::MIXERCONTROL_CONTROLF_MULTIPLE) != 0;
}

mm::DWORD ItemsOf(const SimControl& control) {
  return IsMultiple(control) ? static_cast<mm::DWORD>(control.items.size()) : 1;
}

mm::DWORD StoredChannels(const SimLine& line, const SimControl& control) {
  return IsUniform(control) ? 1 : line.channels;
}

void NumberControls(SimLine& line, std::set<mm::DWORD>& used, mm::DWORD& next) {
  for (auto& control : line.controls) {
    if (control.id == 0) {
      while (used.contains(next)) {
        ++next;
      }
      control.id = next;
      used.insert(next);
    }
    control.values.resize(StoredChannels(line, control) * ItemsOf(control));
  }
}

void CollectControlIds(const SimLine& line, std::set<mm::DWORD>& used) {
  for (const auto& control : line.controls) {
    if (control.id != 0) {
      used.insert(control.id);
    }
  }
}

void FillLine(mm::MIXERLINEW& record, const SimLine& line, mm::DWORD destination, mm::DWORD source,
              bool isSource) {
  const mm::DWORD size = record.cbStruct;
  record = {};
  record.cbStruct = size;
  record.dwDestination = destination;
  record.dwSource = isSource ? source : 0;
  record.dwLineID = line.id;
  record.fdwLine = mm::MIXERLINE_LINEF_ACTIVE | (isSource ? mm::MIXERLINE_LINEF_SOURCE : 0);
  record.dwComponentType = line.type;
  record.cChannels = line.channels;
  record.cConnections = isSource ? 0 : static_cast<mm::DWORD>(line.sources.size());
  record.cControls = static_cast<mm::DWORD>(line.controls.size());
  CopyText(record.szShortName, line.shortName);
  CopyText(record.szName, line.name);
  record.Target.dwType = line.targetType;
  CopyText(record.Target.szPname, line.targetName);
}

void FillControl(mm::MIXERCONTROLW& record, const SimControl& control) {
  record = {};
  record.cbStruct = sizeof(record);
  record.dwControlID = control.id;
  record.dwControlType = control.type;
  record.fdwControl = control.flags;
  record.cMultipleItems = IsMultiple(control) ? static_cast<mm::DWORD>(control.items.size()) : 0;
  CopyText(record.szShortName, control.shortName);
  CopyText(record.szName, control.name);
  std::memcpy(&record.Bounds, control.bounds.data(), sizeof(record.Bounds));
  std::memcpy(&record.Metrics, control.metrics.data(), sizeof(record.Metrics));
}

// The line and control of a control ID on a device, or nulls; const as `devices` is.
template <typename Devices>
auto FindControl(Devices& devices, mm::UINT device, mm::DWORD controlId) {
  using Line = std::remove_reference_t<decltype(devices[0].destinations[0])>;
  using Control = std::remove_reference_t<decltype(devices[0].destinations[0].controls[0])>;
  std::pair<Line*, Control*> place{nullptr, nullptr};
  const auto search = [&](Line& line) {
    for (auto& control : line.controls) {
      if (control.id == controlId) {
        place = {&line, &control};
        return true;
      }
    }
    return false;
  };
  if (device < devices.size()) {
    for (auto& destination : devices[device].destinations) {
      if (search(destination)) {
        break;
      }
      if (std::ranges::any_of(destination.sources, search)) {
        break;
      }
    }
  }
  return place;
}

const char* NameOf(MixerCall call) {
  switch (call) {
    case MixerCall::GetNumDevs:
      return "mixerGetNumDevs";
    case MixerCall::GetDevCaps:
      return "mixerGetDevCapsW";
    case MixerCall::Open:
      return "mixerOpen";
    case MixerCall::Close:
      return "mixerClose";
    case MixerCall::GetLineInfo:
      return "mixerGetLineInfoW";
    case MixerCall::GetLineControls:
      return "mixerGetLineControlsW";
    case MixerCall::GetControlDetails:
      return "mixerGetControlDetailsW";
    case MixerCall::SetControlDetails:
      return "mixerSetControlDetails";
  }
  return "?";
}

}  // namespace

std::ostream& operator<<(std::ostream& out, MixerCall call) {
  return out << NameOf(call);
}

std::ostream& operator<<(std::ostream& out, const MixerCallRecord& record) {
  out << '{' << record.call << " device " << record.device << ", handle " << record.handle
      << std::hex << ", flags 0x" << record.flags << std::dec << ", callback " << record.callback
      << ", size " << record.size << ", destination " << record.destination << ", source "
      << record.source << ", line " << record.lineId << ", controls " << record.controlCount
      << ", control " << record.controlId << ", channels " << record.channels << ", items "
      << record.multipleItems << ", detail size " << record.detailSize << ", values [";
  for (const mm::DWORD value : record.values) {
    out << ' ' << value;
  }
  return out << " ], result " << record.result << '}';
}

void SimulatedMixer::SetDevices(std::vector<SimDevice> devices) {
  for (auto& device : devices) {
    std::set<mm::DWORD> used;
    for (mm::DWORD d = 0; d < device.destinations.size(); ++d) {
      auto& destination = device.destinations[d];
      if (destination.id == 0) {
        destination.id = d;
      }
      CollectControlIds(destination, used);
      for (mm::DWORD s = 0; s < destination.sources.size(); ++s) {
        auto& source = destination.sources[s];
        if (source.id == 0) {
          source.id = ((s + 1) << 16) | d;
        }
        CollectControlIds(source, used);
      }
    }
    mm::DWORD next = 1;
    for (auto& destination : device.destinations) {
      NumberControls(destination, used, next);
      for (auto& source : destination.sources) {
        NumberControls(source, used, next);
      }
    }
  }
  FDevices = std::move(devices);
}

void SimulatedMixer::Fail(MixerCall call, mm::MMRESULT result, CallFilter when) {
  FFailures.push_back({call, result, std::move(when)});
}

std::vector<MixerCallRecord> SimulatedMixer::CallsOf(MixerCall call) const {
  std::vector<MixerCallRecord> calls;
  std::ranges::copy_if(FCalls, std::back_inserter(calls),
                       [call](const MixerCallRecord& record) { return record.call == call; });
  return calls;
}

std::vector<mm::DWORD> SimulatedMixer::Values(mm::DWORD controlId, mm::UINT device) const {
  const auto [line, control] = FindControl(FDevices, device, controlId);
  return control == nullptr ? std::vector<mm::DWORD>{} : control->values;
}

void SimulatedMixer::SetValues(mm::DWORD controlId, std::vector<mm::DWORD> values,
                               mm::UINT device) {
  const auto place = ControlOf(device, controlId);
  if (place.control != nullptr) {
    values.resize(place.control->values.size());
    place.control->values = std::move(values);
  }
}

void SimulatedMixer::ChangeFromOutside(mm::DWORD controlId, std::vector<mm::DWORD> values,
                                       mm::UINT device) {
  SetValues(controlId, std::move(values), device);
  PostToWindowsOf(device, mm::MM_MIXM_CONTROL_CHANGE, controlId);
}

void SimulatedMixer::ChangeLineFromOutside(mm::DWORD lineId, mm::UINT device) {
  PostToWindowsOf(device, mm::MM_MIXM_LINE_CHANGE, lineId);
}

void SimulatedMixer::PostToWindowsOf(mm::UINT device, mm::UINT msg, mm::DWORD id) const {
  for (const auto& [handle, open] : FOpenHandles) {
    if (open.device == device && open.window != 0) {
      toolkit::postMessage(open.window, msg, reinterpret_cast<std::uintptr_t>(handle),
                           static_cast<std::intptr_t>(id));
    }
  }
}

mm::MMRESULT SimulatedMixer::Finish(MixerCallRecord record, mm::MMRESULT result) {
  record.result = result;
  FCalls.push_back(std::move(record));
  return result;
}

const mm::MMRESULT* SimulatedMixer::InjectedFailure(const MixerCallRecord& record) const {
  for (const auto& failure : FFailures) {
    if (failure.call == record.call && (!failure.when || failure.when(record))) {
      return &failure.result;
    }
  }
  return nullptr;
}

const SimulatedMixer::OpenHandle* SimulatedMixer::HandleOf(mm::HMIXEROBJ handle) const {
  const auto open = FOpenHandles.find(handle);
  return open == FOpenHandles.end() ? nullptr : &open->second;
}

const SimLine* SimulatedMixer::LineOf(mm::UINT device, mm::DWORD lineId) const {
  if (device >= FDevices.size()) {
    return nullptr;
  }
  for (const auto& destination : FDevices[device].destinations) {
    if (destination.id == lineId) {
      return &destination;
    }
    for (const auto& source : destination.sources) {
      if (source.id == lineId) {
        return &source;
      }
    }
  }
  return nullptr;
}

SimulatedMixer::ControlPlace SimulatedMixer::ControlOf(mm::UINT device, mm::DWORD controlId) {
  const auto [line, control] = FindControl(FDevices, device, controlId);
  return {line, control};
}

mm::UINT SimulatedMixer::mixerGetNumDevs() {
  Finish({.call = MixerCall::GetNumDevs}, 0);
  return static_cast<mm::UINT>(FDevices.size());
}

mm::MMRESULT SimulatedMixer::mixerGetDevCapsW(mm::UINT_PTR uMxId, mm::MIXERCAPSW* pmxcaps,
                                              mm::UINT cbmxcaps) {
  MixerCallRecord record{
      .call = MixerCall::GetDevCaps, .device = static_cast<mm::UINT>(uMxId), .size = cbmxcaps};
  if (const auto* failure = InjectedFailure(record)) {
    return Finish(record, *failure);
  }
  if (uMxId >= FDevices.size()) {
    return Finish(record, mm::MMSYSERR_BADDEVICEID);
  }
  if (pmxcaps == nullptr || cbmxcaps != sizeof(mm::MIXERCAPSW)) {
    return Finish(record, mm::MMSYSERR_INVALPARAM);
  }
  const SimDevice& device = FDevices[uMxId];
  *pmxcaps = {};
  pmxcaps->wMid = 1;
  pmxcaps->wPid = static_cast<mm::WORD>(uMxId + 1);
  CopyText(pmxcaps->szPname, device.name);
  pmxcaps->cDestinations = static_cast<mm::DWORD>(device.destinations.size());
  return Finish(record, mm::MMSYSERR_NOERROR);
}

mm::MMRESULT SimulatedMixer::mixerOpen(mm::HMIXER* phmx, mm::UINT uMxId, mm::DWORD_PTR dwCallback,
                                       mm::DWORD_PTR, mm::DWORD fdwOpen) {
  MixerCallRecord record{
      .call = MixerCall::Open, .device = uMxId, .flags = fdwOpen, .callback = dwCallback};
  if (const auto* failure = InjectedFailure(record)) {
    return Finish(record, *failure);
  }
  if (uMxId >= FDevices.size()) {
    return Finish(record, mm::MMSYSERR_BADDEVICEID);
  }
  if (fdwOpen != mm::CALLBACK_NULL && fdwOpen != mm::CALLBACK_WINDOW) {
    return Finish(record, mm::MMSYSERR_INVALFLAG);
  }
  if (phmx == nullptr || (fdwOpen == mm::CALLBACK_WINDOW && dwCallback == 0)) {
    return Finish(record, mm::MMSYSERR_INVALPARAM);
  }
  const auto handle = reinterpret_cast<mm::HMIXER>(FNextHandle);
  FNextHandle += 0x10;  // never reused, like a stale window handle
  FOpenHandles[handle] = {uMxId, fdwOpen == mm::CALLBACK_WINDOW ? dwCallback : 0};
  *phmx = handle;
  record.handle = handle;
  return Finish(record, mm::MMSYSERR_NOERROR);
}

mm::MMRESULT SimulatedMixer::mixerClose(mm::HMIXER hmx) {
  MixerCallRecord record{.call = MixerCall::Close, .handle = hmx};
  const OpenHandle* open = HandleOf(hmx);
  if (open != nullptr) {
    record.device = open->device;
  }
  if (const auto* failure = InjectedFailure(record)) {
    return Finish(record, *failure);
  }
  if (open == nullptr) {
    return Finish(record, mm::MMSYSERR_INVALHANDLE);
  }
  FOpenHandles.erase(hmx);
  return Finish(record, mm::MMSYSERR_NOERROR);
}

mm::MMRESULT SimulatedMixer::mixerGetLineInfoW(mm::HMIXEROBJ hmxobj, mm::MIXERLINEW* pmxl,
                                               mm::DWORD fdwInfo) {
  MixerCallRecord record{.call = MixerCall::GetLineInfo, .handle = hmxobj, .flags = fdwInfo};
  if (pmxl != nullptr) {
    record.size = pmxl->cbStruct;
    record.destination = pmxl->dwDestination;
    record.source = pmxl->dwSource;
    record.lineId = pmxl->dwLineID;
  }
  const OpenHandle* open = HandleOf(hmxobj);
  if (open != nullptr) {
    record.device = open->device;
  }
  if (const auto* failure = InjectedFailure(record)) {
    return Finish(record, *failure);
  }
  if (open == nullptr) {
    return Finish(record, mm::MMSYSERR_INVALHANDLE);
  }
  if ((fdwInfo & kObjectMask) != mm::MIXER_OBJECTF_HMIXER) {
    return Finish(record, mm::MMSYSERR_INVALFLAG);
  }
  if (pmxl == nullptr || pmxl->cbStruct != sizeof(mm::MIXERLINEW)) {
    return Finish(record, mm::MMSYSERR_INVALPARAM);
  }
  const auto& destinations = FDevices[open->device].destinations;
  switch (fdwInfo & mm::MIXER_GETLINEINFOF_QUERYMASK) {
    case mm::MIXER_GETLINEINFOF_DESTINATION:
      if (record.destination >= destinations.size()) {
        return Finish(record, mm::MMSYSERR_INVALPARAM);
      }
      FillLine(*pmxl, destinations[record.destination], record.destination, 0, false);
      return Finish(record, mm::MMSYSERR_NOERROR);
    case mm::MIXER_GETLINEINFOF_SOURCE:
      if (record.destination >= destinations.size() ||
          record.source >= destinations[record.destination].sources.size()) {
        return Finish(record, mm::MIXERR_INVALLINE);
      }
      FillLine(*pmxl, destinations[record.destination].sources[record.source], record.destination,
               record.source, true);
      return Finish(record, mm::MMSYSERR_NOERROR);
    case mm::MIXER_GETLINEINFOF_LINEID:
      for (mm::DWORD d = 0; d < destinations.size(); ++d) {
        if (destinations[d].id == record.lineId) {
          FillLine(*pmxl, destinations[d], d, 0, false);
          return Finish(record, mm::MMSYSERR_NOERROR);
        }
        const auto& sources = destinations[d].sources;
        for (mm::DWORD s = 0; s < sources.size(); ++s) {
          if (sources[s].id == record.lineId) {
            FillLine(*pmxl, sources[s], d, s, true);
            return Finish(record, mm::MMSYSERR_NOERROR);
          }
        }
      }
      return Finish(record, mm::MIXERR_INVALLINE);
    default:
      return Finish(record, mm::MMSYSERR_NOTSUPPORTED);
  }
}

mm::MMRESULT SimulatedMixer::mixerGetLineControlsW(mm::HMIXEROBJ hmxobj,
                                                   mm::MIXERLINECONTROLSW* pmxlc,
                                                   mm::DWORD fdwControls) {
  MixerCallRecord record{
      .call = MixerCall::GetLineControls, .handle = hmxobj, .flags = fdwControls};
  if (pmxlc != nullptr) {
    record.size = pmxlc->cbStruct;
    record.lineId = pmxlc->dwLineID;
    record.controlCount = pmxlc->cControls;
  }
  const OpenHandle* open = HandleOf(hmxobj);
  if (open != nullptr) {
    record.device = open->device;
  }
  if (const auto* failure = InjectedFailure(record)) {
    return Finish(record, *failure);
  }
  if (open == nullptr) {
    return Finish(record, mm::MMSYSERR_INVALHANDLE);
  }
  if ((fdwControls & kObjectMask) != mm::MIXER_OBJECTF_HMIXER) {
    return Finish(record, mm::MMSYSERR_INVALFLAG);
  }
  if ((fdwControls & mm::MIXER_GETLINECONTROLSF_QUERYMASK) != mm::MIXER_GETLINECONTROLSF_ALL) {
    return Finish(record, mm::MMSYSERR_NOTSUPPORTED);
  }
  if (pmxlc == nullptr || pmxlc->cbStruct != sizeof(mm::MIXERLINECONTROLSW) ||
      pmxlc->cbmxctrl != sizeof(mm::MIXERCONTROLW) || pmxlc->pamxctrl == nullptr) {
    return Finish(record, mm::MMSYSERR_INVALPARAM);
  }
  const SimLine* line = LineOf(open->device, record.lineId);
  if (line == nullptr) {
    return Finish(record, mm::MIXERR_INVALLINE);
  }
  if (record.controlCount != line->controls.size()) {
    return Finish(record, mm::MMSYSERR_INVALPARAM);
  }
  for (std::size_t i = 0; i < line->controls.size(); ++i) {
    FillControl(pmxlc->pamxctrl[i], line->controls[i]);
  }
  return Finish(record, mm::MMSYSERR_NOERROR);
}

mm::MMRESULT SimulatedMixer::CheckDetails(const MixerCallRecord& record,
                                          const ControlPlace& place) const {
  if (place.control == nullptr) {
    return mm::MIXERR_INVALCONTROL;
  }
  // One channel treats any control as uniform.
  if (record.channels != 1 && record.channels != StoredChannels(*place.line, *place.control)) {
    return mm::MMSYSERR_INVALPARAM;
  }
  const mm::DWORD items = IsMultiple(*place.control) ? ItemsOf(*place.control) : 0;
  if (record.multipleItems != items) {
    return mm::MMSYSERR_INVALPARAM;
  }
  return mm::MMSYSERR_NOERROR;
}

mm::MMRESULT SimulatedMixer::mixerGetControlDetailsW(mm::HMIXEROBJ hmxobj,
                                                     mm::MIXERCONTROLDETAILS* pmxcd,
                                                     mm::DWORD fdwDetails) {
  MixerCallRecord record{
      .call = MixerCall::GetControlDetails, .handle = hmxobj, .flags = fdwDetails};
  if (pmxcd != nullptr) {
    record.size = pmxcd->cbStruct;
    record.controlId = pmxcd->dwControlID;
    record.channels = pmxcd->cChannels;
    record.multipleItems = pmxcd->u.cMultipleItems;
    record.detailSize = pmxcd->cbDetails;
  }
  const OpenHandle* open = HandleOf(hmxobj);
  if (open != nullptr) {
    record.device = open->device;
  }
  if (const auto* failure = InjectedFailure(record)) {
    return Finish(record, *failure);
  }
  if (open == nullptr) {
    return Finish(record, mm::MMSYSERR_INVALHANDLE);
  }
  if ((fdwDetails & kObjectMask) != mm::MIXER_OBJECTF_HMIXER) {
    return Finish(record, mm::MMSYSERR_INVALFLAG);
  }
  if (pmxcd == nullptr || pmxcd->cbStruct != sizeof(mm::MIXERCONTROLDETAILS) ||
      pmxcd->paDetails == nullptr) {
    return Finish(record, mm::MMSYSERR_INVALPARAM);
  }
  const ControlPlace place = ControlOf(open->device, record.controlId);
  if (const mm::MMRESULT fault = CheckDetails(record, place); fault != mm::MMSYSERR_NOERROR) {
    return Finish(record, fault);
  }
  const mm::DWORD items = ItemsOf(*place.control);
  const mm::DWORD count = record.channels * items;
  switch (fdwDetails & mm::MIXER_GETCONTROLDETAILSF_QUERYMASK) {
    case mm::MIXER_GETCONTROLDETAILSF_VALUE: {
      if (record.detailSize != sizeof(mm::DWORD)) {
        return Finish(record, mm::MMSYSERR_INVALPARAM);
      }
      auto* values = static_cast<mm::DWORD*>(pmxcd->paDetails);
      std::copy_n(place.control->values.begin(), count, values);
      return Finish(record, mm::MMSYSERR_NOERROR);
    }
    case mm::MIXER_GETCONTROLDETAILSF_LISTTEXT: {
      if (!IsMultiple(*place.control) ||
          record.detailSize != sizeof(mm::MIXERCONTROLDETAILS_LISTTEXTW)) {
        return Finish(record, mm::MMSYSERR_INVALPARAM);
      }
      auto* texts = static_cast<mm::MIXERCONTROLDETAILS_LISTTEXTW*>(pmxcd->paDetails);
      for (mm::DWORD i = 0; i < count; ++i) {
        const SimListItem& item = place.control->items[i % items];
        texts[i] = {item.param1, item.param2, {}};
        CopyText(texts[i].szName, item.name);
      }
      return Finish(record, mm::MMSYSERR_NOERROR);
    }
    default:
      return Finish(record, mm::MMSYSERR_INVALFLAG);
  }
}

mm::MMRESULT SimulatedMixer::mixerSetControlDetails(mm::HMIXEROBJ hmxobj,
                                                    mm::MIXERCONTROLDETAILS* pmxcd,
                                                    mm::DWORD fdwDetails) {
  MixerCallRecord record{
      .call = MixerCall::SetControlDetails, .handle = hmxobj, .flags = fdwDetails};
  const OpenHandle* open = HandleOf(hmxobj);
  if (open != nullptr) {
    record.device = open->device;
  }
  if (pmxcd != nullptr) {
    record.size = pmxcd->cbStruct;
    record.controlId = pmxcd->dwControlID;
    record.channels = pmxcd->cChannels;
    record.multipleItems = pmxcd->u.cMultipleItems;
    record.detailSize = pmxcd->cbDetails;
    if (pmxcd->paDetails != nullptr && pmxcd->cbDetails == sizeof(mm::DWORD)) {
      const auto* values = static_cast<const mm::DWORD*>(pmxcd->paDetails);
      const mm::DWORD items = std::max<mm::DWORD>(pmxcd->u.cMultipleItems, 1);
      record.values.assign(values, values + pmxcd->cChannels * items);
    }
  }
  if (const auto* failure = InjectedFailure(record)) {
    return Finish(record, *failure);
  }
  if (open == nullptr) {
    return Finish(record, mm::MMSYSERR_INVALHANDLE);
  }
  if (fdwDetails != (mm::MIXER_OBJECTF_HMIXER | mm::MIXER_SETCONTROLDETAILSF_VALUE)) {
    return Finish(record, mm::MMSYSERR_INVALFLAG);
  }
  if (pmxcd == nullptr || pmxcd->cbStruct != sizeof(mm::MIXERCONTROLDETAILS) ||
      pmxcd->paDetails == nullptr || record.detailSize != sizeof(mm::DWORD)) {
    return Finish(record, mm::MMSYSERR_INVALPARAM);
  }
  const ControlPlace place = ControlOf(open->device, record.controlId);
  if (const mm::MMRESULT fault = CheckDetails(record, place); fault != mm::MMSYSERR_NOERROR) {
    return Finish(record, fault);
  }
  auto& stored = place.control->values;
  const std::size_t written = record.values.size();
  if (written == 0) {
    return Finish(record, mm::MMSYSERR_NOERROR);
  }
  // A single channel's values go to every channel.
  for (std::size_t i = 0; i < stored.size(); ++i) {
    stored[i] = record.values[i % written];
  }
  return Finish(record, mm::MMSYSERR_NOERROR);
}
