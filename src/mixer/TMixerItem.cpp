#include "mixer/TMixerItem.h"

#include "mixer/TMixer.h"
#include "mixer/TMixerCtrl.h"
#include "mixer/TMixerDev.h"
#include "mixer/TMixerMultipleItems.h"
#include "mixer/TextOfField.h"

TMixerItem::TMixerItem(TMixerDev* AMixerDev, const mm::MIXERLINEW& Line, TMixerItem* DestItem,
                       mm::DWORD DestNum, TMixerOptions Options)
    : FMixerDev(AMixerDev),
      FChannel(static_cast<std::uint8_t>(Line.cChannels & 0xFF)),
      FLineID(Line.dwLineID),
      FLineType(LineTypeOf(Line.dwComponentType)),
      FDestItem(DestItem),
      FDestNum(DestNum),
      FTargetType(Line.Target.dwType) {
  if (!Options.Contains(moNoLineName)) {
    FName = TextOfField(Line.szName);
  }
  if (!Options.Contains(moNoLineShortName)) {
    FShortName = TextOfField(Line.szShortName);
  }
  if (!Options.Contains(moNoTargetName)) {
    FTargetName = TextOfField(Line.Target.szPname);
  }
}

TMixerItem::~TMixerItem() = default;

mm::MixerApi& TMixerItem::Api() const {
  return FMixerDev->Mixer()->Api();
}

std::int32_t TMixerItem::Count() const {
  if (FCtrlIndex < 0) {
    return 0;
  }
  std::int32_t count = 0;
  for (const TMixerCtrl* ctrl = FMixerDev->CtrlAt(FCtrlIndex);
       ctrl != nullptr && ctrl->Parent() == this; ctrl = FMixerDev->CtrlAt(FCtrlIndex + count)) {
    ++count;
  }
  return count;
}

TMixerCtrl* TMixerItem::GetCtrl(std::int32_t Index) const {
  if (Index < 0 || Index >= Count()) {
    return nullptr;
  }
  return FMixerDev->CtrlAt(FCtrlIndex + Index);
}

std::int32_t TMixerItem::IndexOf(const TMixerCtrl* Ctrl) const {
  const std::int32_t count = Count();
  for (std::int32_t i = 0; i < count; ++i) {
    if (FMixerDev->CtrlAt(FCtrlIndex + i) == Ctrl) {
      return i;
    }
  }
  return -1;
}

TMixerCtrl* TMixerItem::CtrlOfType(TMixerControlTypes ControlTypes, std::int32_t Start) const {
  const std::int32_t count = Count();
  if (Start < 0) {
    return nullptr;
  }
  for (std::int32_t i = Start; i < count; ++i) {
    TMixerCtrl* ctrl = FMixerDev->CtrlAt(FCtrlIndex + i);
    if (ControlTypes.Contains(ctrl->ControlType())) {
      return ctrl;
    }
  }
  return nullptr;
}

TMixerCtrl* TMixerItem::CtrlOfTypeNext(const TMixerCtrl* PrevCtrl) const {
  const std::int32_t index = PrevCtrl == nullptr ? -1 : IndexOf(PrevCtrl);
  if (index < 0) {
    return nullptr;
  }
  return CtrlOfType({PrevCtrl->ControlType()}, index + 1);
}

TMixerMultipleItems* TMixerItem::MultipleItems() {
  if (!FMultipleItems) {
    const std::int32_t count = Count();
    for (std::int32_t i = 0; i < count; ++i) {
      TMixerCtrl* ctrl = GetCtrl(i);
      if (ctrl->Status().Contains(csMultiple)) {
        FMultipleItems = std::make_unique<TMixerMultipleItems>(this);
        FMultipleItems->SetCtrl(ctrl);
        break;
      }
    }
  }
  return FMultipleItems.get();
}

TMixerLineType TMixerItem::GetDestType() const {
  return FDestItem != nullptr ? FDestItem->LineType() : FLineType;
}
