#include "MixerRecords.h"

#include <algorithm>
#include <cstring>

#include "VolumeScale.h"
#include "rtl/TextConversion.h"

namespace mm::alsa {
namespace {

constexpr WORD kUnmappedManufacturer = 0xFFFF;  // MM_UNMAPPED: no registered manufacturer ID
constexpr WORD kUnmappedProduct = 0xFFFF;       // MM_PID_UNMAPPED
constexpr MMVERSION kDriverVersion = (SND_LIB_MAJOR << 8) | SND_LIB_MINOR;

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

void CopyName(std::string_view text, WCHAR* field, std::size_t capacity) {
  std::u16string units = Utf8ToUtf16(text);
  if (units.size() >= capacity) {
    units.resize(capacity - 1);
    if (!units.empty() && IsHighSurrogate(units.back())) {
      units.pop_back();
    }
  }
  std::fill_n(field, capacity, u'\0');
  std::copy(units.begin(), units.end(), field);
}

void FillCaps(const MixerDevice& device, MIXERCAPSW& caps) {
  caps = {};
  caps.wMid = kUnmappedManufacturer;
  caps.wPid = kUnmappedProduct;
  caps.vDriverVersion = kDriverVersion;
  CopyName(device.product, caps.szPname, MAXPNAMELEN);
  caps.cDestinations = device.destinations;
}

void FillLine(const LineLayout& line, const MixerDevice& device, bool connected,
              MIXERLINEW& record) {
  const DWORD size = record.cbStruct;
  record = {};
  record.cbStruct = size;
  record.dwDestination = line.destination;
  record.dwSource = line.source;
  record.dwLineID = line.lineId;
  record.fdwLine = (connected ? MIXERLINE_LINEF_ACTIVE : MIXERLINE_LINEF_DISCONNECTED) |
                   (line.isSource ? MIXERLINE_LINEF_SOURCE : 0);
  record.dwComponentType = line.componentType;
  record.cChannels = static_cast<DWORD>(line.channels.size());
  record.cConnections = line.connections;
  record.cControls = static_cast<DWORD>(line.controls.size());
  CopyName(line.name, record.szShortName, MIXER_SHORT_NAME_CHARS);
  CopyName(line.name, record.szName, MIXER_LONG_NAME_CHARS);
  record.Target.dwType = line.targetType;
  record.Target.wMid = kUnmappedManufacturer;
  record.Target.wPid = kUnmappedProduct;
  record.Target.vDriverVersion = kDriverVersion;
  CopyName(device.product, record.Target.szPname, MAXPNAMELEN);
}

void FillControl(const ControlLayout& control, const LineLayout& line, MIXERCONTROLW& record) {
  record = {};
  record.cbStruct = sizeof(MIXERCONTROLW);
  record.dwControlID = control.id;
  record.fdwControl = control.uniform ? MIXERCONTROL_CONTROLF_UNIFORM : 0;
  const bool volume = control.kind == ControlKind::Volume;
  record.dwControlType = volume ? MIXERCONTROL_CONTROLTYPE_VOLUME : MIXERCONTROL_CONTROLTYPE_MUTE;
  const std::string_view shortName = volume ? "Volume" : "Mute";
  CopyName(shortName, record.szShortName, MIXER_SHORT_NAME_CHARS);
  CopyName(line.name + ' ' + std::string(shortName), record.szName, MIXER_LONG_NAME_CHARS);
  record.Bounds.u.dwMinimum = 0;
  record.Bounds.u.dwMaximum = volume ? kRawVolumeMaximum : 1;
  record.Metrics.cSteps = control.steps;
}

}  // namespace mm::alsa
