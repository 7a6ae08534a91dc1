// Control value access of a line: the four value forms of the system's control details.
#include <algorithm>

#include "mixer/CheckMixerResult.h"
#include "mixer/TMixer.h"
#include "mixer/TMixerCtrl.h"
#include "mixer/TMixerDev.h"
#include "mixer/TMixerItem.h"

namespace {

constexpr mm::DWORD kValueFlags = mm::MIXER_OBJECTF_HMIXER | mm::MIXER_GETCONTROLDETAILSF_VALUE;
constexpr mm::DWORD kListTextFlags =
    mm::MIXER_OBJECTF_HMIXER | mm::MIXER_GETCONTROLDETAILSF_LISTTEXT;
constexpr mm::DWORD kWriteFlags = mm::MIXER_OBJECTF_HMIXER | mm::MIXER_SETCONTROLDETAILSF_VALUE;

// Raises EMixerError code 11 for a request that does not suit the control.
void RaiseInvalidParameter(TMixerCtrl& Control) {
  CheckMixerResult(mm::MMSYSERR_INVALPARAM, true, &Control);
}

}  // namespace

mm::DWORD TMixerItem::GetDetailsLength(const TMixerCtrl& Control) const {
  const mm::DWORD channels = Control.Status().Contains(csUniform) ? 1 : FChannel;
  const mm::DWORD items = Control.Status().Contains(csMultiple) ? Control.MultipleItems() : 1;
  return channels * items;
}

mm::DWORD TMixerItem::InitDetails(TMixerCtrl& Control, mm::MIXERCONTROLDETAILS& Details) {
  if (Control.Parent() != this) {
    RaiseInvalidParameter(Control);
  }
  Details = {};
  Details.cbStruct = sizeof(Details);
  Details.dwControlID = Control.ControlID();
  Details.cChannels = Control.Status().Contains(csUniform) ? 1 : FChannel;
  mm::DWORD items = 1;
  if (Control.Status().Contains(csMultiple)) {
    Details.u.cMultipleItems = Control.MultipleItems();
    items = Control.MultipleItems();
  }
  return Details.cChannels * items;
}

mm::MIXERCONTROLDETAILS TMixerItem::PrepareDetails(TMixerCtrl& Control, TMixerValueKind Kind,
                                                   std::size_t BufferLength) {
  if (!ValueKindsOf(Control.ControlType()).Contains(Kind)) {
    RaiseInvalidParameter(Control);
  }
  mm::MIXERCONTROLDETAILS details;
  if (BufferLength < InitDetails(Control, details)) {
    RaiseInvalidParameter(Control);
  }
  return details;
}

template <typename Element>
bool TMixerItem::ReadValues(TMixerCtrl& Control, std::span<Element> Buffer, TMixerValueKind Kind,
                            mm::DWORD Flags) {
  mm::MIXERCONTROLDETAILS details = PrepareDetails(Control, Kind, Buffer.size());
  std::fill(Buffer.begin(), Buffer.end(), Element{});
  details.cbDetails = sizeof(Element);
  details.paDetails = Buffer.data();
  return CheckMixerResult(Api().mixerGetControlDetailsW(FMixerDev->Handle(), &details, Flags), true,
                          &Control);
}

template <typename Element>
bool TMixerItem::WriteValues(TMixerCtrl& Control, std::span<const Element> Buffer,
                             TMixerValueKind Kind) {
  mm::MIXERCONTROLDETAILS details = PrepareDetails(Control, Kind, Buffer.size());
  details.cbDetails = sizeof(Element);
  // The system reads the values only; its record has no const pointer.
  details.paDetails = const_cast<Element*>(Buffer.data());
  return CheckMixerResult(Api().mixerSetControlDetails(FMixerDev->Handle(), &details, kWriteFlags),
                          true, &Control);
}

bool TMixerItem::GetBoolean(TMixerCtrl& Control,
                            std::span<mm::MIXERCONTROLDETAILS_BOOLEAN> Details) {
  return ReadValues(Control, Details, vkBoolean, kValueFlags);
}

bool TMixerItem::SetBoolean(TMixerCtrl& Control,
                            std::span<const mm::MIXERCONTROLDETAILS_BOOLEAN> Details) {
  return WriteValues(Control, Details, vkBoolean);
}

bool TMixerItem::GetSigned(TMixerCtrl& Control, std::span<mm::MIXERCONTROLDETAILS_SIGNED> Details) {
  return ReadValues(Control, Details, vkSigned, kValueFlags);
}

bool TMixerItem::SetSigned(TMixerCtrl& Control,
                           std::span<const mm::MIXERCONTROLDETAILS_SIGNED> Details) {
  return WriteValues(Control, Details, vkSigned);
}

bool TMixerItem::GetUnsigned(TMixerCtrl& Control,
                             std::span<mm::MIXERCONTROLDETAILS_UNSIGNED> Details) {
  return ReadValues(Control, Details, vkUnsigned, kValueFlags);
}

bool TMixerItem::SetUnsigned(TMixerCtrl& Control,
                             std::span<const mm::MIXERCONTROLDETAILS_UNSIGNED> Details) {
  return WriteValues(Control, Details, vkUnsigned);
}

bool TMixerItem::GetListText(TMixerCtrl& Control,
                             std::span<mm::MIXERCONTROLDETAILS_LISTTEXTW> Details) {
  return ReadValues(Control, Details, vkListText, kListTextFlags);
}

void TMixerItem::SetListText(TMixerCtrl& Control,
                             std::span<mm::MIXERCONTROLDETAILS_LISTTEXTW> Details) {
  if (!ValueKindsOf(Control.ControlType()).Contains(vkListText)) {
    RaiseInvalidParameter(Control);
  }
  std::fill(Details.begin(), Details.end(), mm::MIXERCONTROLDETAILS_LISTTEXTW{});
}
