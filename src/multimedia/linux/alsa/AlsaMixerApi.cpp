#include "AlsaMixerApi.h"

#include <algorithm>
#include <cstring>

#include "MixerRecords.h"
#include "toolkit/MessageWindow.h"

namespace mm::alsa {
namespace {

constexpr DWORD kObjectMask = 0xF0000000;
constexpr DWORD kQueryMask = 0x0000000F;

MMRESULT CheckFlags(DWORD flags) {
  return (flags & ~(kObjectMask | kQueryMask)) != 0 ? MMSYSERR_INVALFLAG : MMSYSERR_NOERROR;
}

// Wave, MIDI and auxiliary devices have no mixer lines here: there are no such devices.
MMRESULT ResultForOtherObject(DWORD object) {
  switch (object) {
    case MIXER_OBJECTF_WAVEOUT:
    case MIXER_OBJECTF_WAVEIN:
    case MIXER_OBJECTF_MIDIOUT:
    case MIXER_OBJECTF_MIDIIN:
    case MIXER_OBJECTF_AUX:
      return MMSYSERR_BADDEVICEID;
    case MIXER_OBJECTF_HANDLE | MIXER_OBJECTF_WAVEOUT:
    case MIXER_OBJECTF_HANDLE | MIXER_OBJECTF_WAVEIN:
    case MIXER_OBJECTF_HANDLE | MIXER_OBJECTF_MIDIOUT:
    case MIXER_OBJECTF_HANDLE | MIXER_OBJECTF_MIDIIN:
      return MMSYSERR_INVALHANDLE;
    default:
      return MMSYSERR_INVALFLAG;
  }
}

std::uintptr_t NumberOf(HANDLE handle) {
  return reinterpret_cast<std::uintptr_t>(handle);
}

const ControlLayout* ControlOfType(const MixerLayout& layout, const LineLayout& line,
                                   DWORD controlType) {
  for (const DWORD id : line.controls) {
    const auto* control = layout.Control(id);
    const DWORD type = control->kind == ControlKind::Volume ? MIXERCONTROL_CONTROLTYPE_VOLUME
                                                            : MIXERCONTROL_CONTROLTYPE_MUTE;
    if (type == controlType) {
      return control;
    }
  }
  return nullptr;
}

// Records in an array whose element size the caller gives (cbmxctrl): written byte-wise.
void StoreControl(const MIXERCONTROLW& control, MIXERLINECONTROLSW& controls, std::size_t index) {
  auto* base = reinterpret_cast<unsigned char*>(controls.pamxctrl);
  std::memcpy(base + index * controls.cbmxctrl, &control, sizeof control);
}

}  // namespace

void AlsaMixerApi::PrepareDevices() {
  const std::lock_guard guard(FLock);
  if (!FPreparedDevices.valid()) {
    FPreparedDevices = std::async(std::launch::async, FindMixerDevices);
  }
}

void AlsaMixerApi::Scan() {
  auto found = FPreparedDevices.valid() ? FPreparedDevices.get() : FindMixerDevices();
  FDevices.clear();
  FScannedConnections.clear();
  for (auto& [device, connection] : found) {
    FScannedConnections[device.name] = std::move(connection);
    FDevices.push_back(std::move(device));
  }
  FScanned = true;
}

std::unique_ptr<MixerConnection> AlsaMixerApi::ConnectionFor(const MixerDevice& device) {
  const auto scanned = FScannedConnections.find(device.name);
  if (scanned != FScannedConnections.end()) {
    auto connection = std::move(scanned->second);
    FScannedConnections.erase(scanned);
    if (connection->Refresh()) {
      return connection;
    }
  }
  return MixerConnection::Open(device.name);
}

const std::vector<MixerDevice>& AlsaMixerApi::Devices() {
  if (!FScanned) {
    Scan();
  }
  return FDevices;
}

OpenMixer* AlsaMixerApi::Find(HMIXER handle) const {
  const auto found = FOpen.find(NumberOf(handle));
  return found != FOpen.end() ? found->second.get() : nullptr;
}

AlsaMixerApi::Target AlsaMixerApi::Resolve(HMIXEROBJ object, DWORD flags) {
  Target target;
  const DWORD kind = flags & kObjectMask;
  if (kind == MIXER_OBJECTF_HMIXER) {
    target.mixer = Find(object);
    target.result = target.mixer != nullptr ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
  } else if (kind == MIXER_OBJECTF_MIXER) {
    // A device number, or, as the system also takes, a handle.
    const std::uintptr_t number = NumberOf(object);
    if (number < Devices().size()) {
      target.temporary = OpenMixer::Open(FDevices[number],
                                         MixerConnection::Open(FDevices[number].name), nullptr, 0);
      target.mixer = target.temporary.get();
      target.result = target.mixer != nullptr ? MMSYSERR_NOERROR : MMSYSERR_NODRIVER;
    } else {
      target.mixer = Find(object);
      target.result = target.mixer != nullptr ? MMSYSERR_NOERROR : MMSYSERR_BADDEVICEID;
    }
  } else {
    target.result = ResultForOtherObject(kind);
  }
  return target;
}

UINT AlsaMixerApi::mixerGetNumDevs() {
  const std::lock_guard guard(FLock);
  Scan();
  return static_cast<UINT>(FDevices.size());
}

MMRESULT AlsaMixerApi::mixerGetDevCapsW(UINT_PTR uMxId, MIXERCAPSW* pmxcaps, UINT cbmxcaps) {
  const std::lock_guard guard(FLock);
  if (pmxcaps == nullptr) {
    return MMSYSERR_INVALPARAM;
  }
  const MixerDevice* device = nullptr;
  if (uMxId < Devices().size()) {
    device = &FDevices[uMxId];
  } else if (const auto* mixer = Find(reinterpret_cast<HMIXER>(uMxId)); mixer != nullptr) {
    device = &mixer->Device();
  } else {
    return MMSYSERR_BADDEVICEID;
  }
  MIXERCAPSW caps;
  FillCaps(*device, caps);
  std::memcpy(pmxcaps, &caps, std::min<std::size_t>(cbmxcaps, sizeof caps));
  return MMSYSERR_NOERROR;
}

MMRESULT AlsaMixerApi::mixerOpen(HMIXER* phmx, UINT uMxId, DWORD_PTR dwCallback, DWORD_PTR,
                                 DWORD fdwOpen) {
  const std::lock_guard guard(FLock);
  if (phmx == nullptr) {
    return MMSYSERR_INVALPARAM;
  }
  *phmx = nullptr;
  const DWORD callback = fdwOpen & CALLBACK_TYPEMASK;
  const DWORD object = fdwOpen & kObjectMask;
  if ((callback != CALLBACK_NULL && callback != CALLBACK_WINDOW) ||
      (fdwOpen & ~(CALLBACK_TYPEMASK | kObjectMask)) != 0) {
    return MMSYSERR_INVALFLAG;
  }
  const toolkit::WindowHandle window = callback == CALLBACK_WINDOW ? dwCallback : 0;
  if (callback == CALLBACK_WINDOW && window == 0) {
    return MMSYSERR_INVALPARAM;
  }
  const MixerDevice* device = nullptr;
  if (object == MIXER_OBJECTF_MIXER) {
    if (uMxId >= Devices().size()) {
      return MMSYSERR_BADDEVICEID;
    }
    device = &FDevices[uMxId];
  } else if (object == MIXER_OBJECTF_HMIXER) {
    const auto* mixer = Find(reinterpret_cast<HMIXER>(static_cast<std::uintptr_t>(uMxId)));
    if (mixer == nullptr) {
      return MMSYSERR_INVALHANDLE;
    }
    device = &mixer->Device();
  } else {
    return ResultForOtherObject(object);
  }
  const auto handle = reinterpret_cast<HMIXER>(++FLastHandle);
  auto mixer = OpenMixer::Open(*device, ConnectionFor(*device), handle, window);
  if (!mixer) {
    return MMSYSERR_NODRIVER;
  }
  FOpen.emplace(FLastHandle, std::move(mixer));
  *phmx = handle;
  return MMSYSERR_NOERROR;
}

MMRESULT AlsaMixerApi::mixerClose(HMIXER hmx) {
  const std::lock_guard guard(FLock);
  return FOpen.erase(NumberOf(hmx)) != 0 ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

MMRESULT AlsaMixerApi::mixerGetLineInfoW(HMIXEROBJ hmxobj, MIXERLINEW* pmxl, DWORD fdwInfo) {
  const std::lock_guard guard(FLock);
  if (const auto flags = CheckFlags(fdwInfo); flags != MMSYSERR_NOERROR) {
    return flags;
  }
  if (pmxl == nullptr || pmxl->cbStruct < sizeof(MIXERLINEW)) {
    return MMSYSERR_INVALPARAM;
  }
  auto target = Resolve(hmxobj, fdwInfo);
  if (target.result != MMSYSERR_NOERROR) {
    return target.result;
  }
  const auto& layout = target.mixer->Layout();
  const LineLayout* line = nullptr;
  switch (fdwInfo & kQueryMask) {
    case MIXER_GETLINEINFOF_DESTINATION:
      line = layout.Destination(pmxl->dwDestination);
      break;
    case MIXER_GETLINEINFOF_SOURCE:
      line = layout.Source(pmxl->dwDestination, pmxl->dwSource);
      break;
    case MIXER_GETLINEINFOF_LINEID:
      line = layout.LineOfId(pmxl->dwLineID);
      break;
    case MIXER_GETLINEINFOF_COMPONENTTYPE:
      line = layout.LineOfComponentType(pmxl->dwComponentType);
      break;
    case MIXER_GETLINEINFOF_TARGETTYPE:
      line = layout.LineOfTargetType(pmxl->Target.dwType);
      break;
    default:
      return MMSYSERR_INVALFLAG;
  }
  if (line == nullptr) {
    return MIXERR_INVALLINE;
  }
  FillLine(*line, target.mixer->Device(), target.mixer->Connected(), *pmxl);
  return MMSYSERR_NOERROR;
}

MMRESULT AlsaMixerApi::mixerGetLineControlsW(HMIXEROBJ hmxobj, MIXERLINECONTROLSW* pmxlc,
                                             DWORD fdwControls) {
  const std::lock_guard guard(FLock);
  if (const auto flags = CheckFlags(fdwControls); flags != MMSYSERR_NOERROR) {
    return flags;
  }
  if (pmxlc == nullptr || pmxlc->cbStruct < sizeof(MIXERLINECONTROLSW) ||
      pmxlc->cbmxctrl < sizeof(MIXERCONTROLW) || pmxlc->pamxctrl == nullptr) {
    return MMSYSERR_INVALPARAM;
  }
  auto target = Resolve(hmxobj, fdwControls);
  if (target.result != MMSYSERR_NOERROR) {
    return target.result;
  }
  const auto& layout = target.mixer->Layout();
  MIXERCONTROLW record;
  switch (fdwControls & kQueryMask) {
    case MIXER_GETLINECONTROLSF_ALL: {
      const auto* line = layout.LineOfId(pmxlc->dwLineID);
      if (line == nullptr) {
        return MIXERR_INVALLINE;
      }
      if (pmxlc->cControls == 0 || pmxlc->cControls != line->controls.size()) {
        return MMSYSERR_INVALPARAM;
      }
      for (std::size_t i = 0; i < line->controls.size(); ++i) {
        FillControl(*layout.Control(line->controls[i]), *line, record);
        StoreControl(record, *pmxlc, i);
      }
      return MMSYSERR_NOERROR;
    }
    case MIXER_GETLINECONTROLSF_ONEBYID: {
      const auto* control = layout.Control(pmxlc->u.dwControlID);
      if (control == nullptr) {
        return MIXERR_INVALCONTROL;
      }
      const auto& line = layout.LineOf(*control);
      FillControl(*control, line, record);
      StoreControl(record, *pmxlc, 0);
      pmxlc->dwLineID = line.lineId;
      return MMSYSERR_NOERROR;
    }
    case MIXER_GETLINECONTROLSF_ONEBYTYPE: {
      const auto* line = layout.LineOfId(pmxlc->dwLineID);
      if (line == nullptr) {
        return MIXERR_INVALLINE;
      }
      const auto* control = ControlOfType(layout, *line, pmxlc->u.dwControlType);
      if (control == nullptr) {
        return MIXERR_INVALCONTROL;
      }
      FillControl(*control, *line, record);
      StoreControl(record, *pmxlc, 0);
      return MMSYSERR_NOERROR;
    }
    default:
      return MMSYSERR_INVALFLAG;
  }
}

MMRESULT AlsaMixerApi::mixerGetControlDetailsW(HMIXEROBJ hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                               DWORD fdwDetails) {
  return TransferDetails(hmxobj, pmxcd, fdwDetails, false);
}

MMRESULT AlsaMixerApi::mixerSetControlDetails(HMIXEROBJ hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                              DWORD fdwDetails) {
  return TransferDetails(hmxobj, pmxcd, fdwDetails, true);
}

MMRESULT AlsaMixerApi::TransferDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags,
                                       bool write) {
  const std::lock_guard guard(FLock);
  if (const auto checked = CheckFlags(flags); checked != MMSYSERR_NOERROR) {
    return checked;
  }
  // Value is the only form our controls have: none lists texts or takes custom data.
  const DWORD query = flags & kQueryMask;
  const DWORD otherForm =
      write ? MIXER_SETCONTROLDETAILSF_CUSTOM : MIXER_GETCONTROLDETAILSF_LISTTEXT;
  if (query != MIXER_GETCONTROLDETAILSF_VALUE && query != otherForm) {
    return MMSYSERR_INVALFLAG;
  }
  if (details == nullptr || details->cbStruct < sizeof(MIXERCONTROLDETAILS)) {
    return MMSYSERR_INVALPARAM;
  }
  auto target = Resolve(object, flags);
  if (target.result != MMSYSERR_NOERROR) {
    return target.result;
  }
  const auto* control = target.mixer->Layout().Control(details->dwControlID);
  if (control == nullptr) {
    return MIXERR_INVALCONTROL;
  }
  const auto channels = target.mixer->Layout().LineOf(*control).channels.size();
  if (query != MIXER_GETCONTROLDETAILSF_VALUE || details->paDetails == nullptr ||
      details->cbDetails != sizeof(MIXERCONTROLDETAILS_UNSIGNED) ||
      details->u.cMultipleItems != 0 ||
      (details->cChannels != 1 && details->cChannels != channels)) {
    return MMSYSERR_INVALPARAM;
  }
  // Unsigned and boolean elements are both one 32-bit word.
  static_assert(sizeof(MIXERCONTROLDETAILS_BOOLEAN) == sizeof(MIXERCONTROLDETAILS_UNSIGNED));
  std::vector<DWORD> values(details->cChannels);
  const std::size_t bytes = values.size() * sizeof(DWORD);
  if (write) {
    std::memcpy(values.data(), details->paDetails, bytes);
    return target.mixer->Write(*control, values);
  }
  const MMRESULT result = target.mixer->Read(*control, values);
  if (result == MMSYSERR_NOERROR) {
    std::memcpy(details->paDetails, values.data(), bytes);
  }
  return result;
}

}  // namespace mm::alsa

namespace mm {

MixerApi& SystemMixerApi() {
  // Watchers post into the toolkit's message queue until the handles still open at exit close
  // with this object: making the queue first has it destroyed after.
  toolkit::postMessage(0, 0, 0, 0);
  static alsa::AlsaMixerApi api;
  return api;
}

void PrepareSystemMixerApi() {
  static_cast<alsa::AlsaMixerApi&>(SystemMixerApi()).PrepareDevices();
}

}  // namespace mm
