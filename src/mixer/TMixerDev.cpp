#include "mixer/TMixerDev.h"

#include <algorithm>
#include <iterator>

#include "mixer/TMixer.h"
#include "mixer/TMixerCtrl.h"
#include "mixer/TMixerItem.h"
#include "mixer/TextOfField.h"

namespace {

// Growth steps of the lists, so that a scan does not reallocate for every line or control.
constexpr std::size_t kItemGrowth = 4;
constexpr std::size_t kCtrlGrowth = 8;

template <typename Object>
void DestroyInUse(std::vector<std::unique_ptr<Object>>& list, std::int32_t& count) {
  for (std::int32_t i = 0; i < count; ++i) {
    // The slot is cleared before its object goes.
    std::unique_ptr<Object> object = std::move(list[static_cast<std::size_t>(i)]);
    object.reset();
  }
  count = 0;
}

}  // namespace

TMixerDev::TMixerDev(TMixer* AMixer, mm::HMIXER Handle, const mm::MIXERCAPSW& MixerCaps,
                     TMixerOptions Options)
    : FMixer(AMixer), FHandle(Handle) {
  if (!Options.Contains(moNoDeviceName)) {
    FName = TextUpToNull(MixerCaps.szPname, std::size(MixerCaps.szPname));
  }
}

TMixerDev::~TMixerDev() {
  TMixerDev::Clear();
  FMixer->Api().mixerClose(FHandle);
}

void TMixerDev::Clear() {
  DestroyInUse(ItemList, FCount);
  DestroyInUse(CtrlList, FCtrlCount);
}

TMixerItem* TMixerDev::AddItem(const mm::MIXERLINEW& Line, TMixerItem* DestItem,
                               TMixerOptions Options, mm::DWORD DestNum) {
  auto item = FMixer->CreateItem(this, Line, DestItem, DestNum, Options);
  const auto position = static_cast<std::size_t>(FCount);
  if (position == ItemList.size()) {
    ItemList.resize(position + kItemGrowth);
  }
  ItemList[position] = std::move(item);
  ++FCount;
  return ItemList[position].get();
}

std::int32_t TMixerDev::AddCtrl(const mm::MIXERCONTROLW& Control, TMixerOptions Options,
                                TMixerItem* Item) {
  auto ctrl = FMixer->CreateCtrl(Item, Control, Options);
  const auto position = static_cast<std::size_t>(FCtrlCount);
  if (position == CtrlList.size()) {
    CtrlList.resize(position + kCtrlGrowth);
  }
  CtrlList[position] = std::move(ctrl);
  return FCtrlCount++;
}

std::int32_t TMixerDev::RemoveItem(TMixerItem* Item) {
  const std::int32_t position = IndexOf(Item);
  if (position < 0) {
    return -1;
  }
  const auto slot = ItemList.begin() + position;
  std::unique_ptr<TMixerItem> removed = std::move(*slot);
  std::move(slot + 1, ItemList.begin() + FCount, slot);
  --FCount;
  removed.reset();
  return position;
}

TMixerCtrl* TMixerDev::CtrlAt(std::int32_t Position) const {
  if (Position < 0 || Position >= FCtrlCount) {
    return nullptr;
  }
  return CtrlList[static_cast<std::size_t>(Position)].get();
}

TMixerItem* TMixerDev::GetItem(std::int32_t Index) const {
  if (Index < 0 || Index >= FCount) {
    return nullptr;
  }
  return ItemList[static_cast<std::size_t>(Index)].get();
}

std::int32_t TMixerDev::IndexOf(const TMixerItem* Item) const {
  for (std::int32_t i = 0; i < FCount; ++i) {
    if (ItemList[static_cast<std::size_t>(i)].get() == Item) {
      return i;
    }
  }
  return -1;
}

template <typename Matches>
TMixerItem* TMixerDev::FirstItemFrom(std::int32_t Start, Matches matches) const {
  for (std::int32_t i = std::max(Start, 0); i < FCount; ++i) {
    TMixerItem* item = ItemList[static_cast<std::size_t>(i)].get();
    if (matches(*item)) {
      return item;
    }
  }
  return nullptr;
}

TMixerItem* TMixerDev::ItemOfType(TMixerLineType LineType, std::int32_t Start) const {
  return FirstItemFrom(Start,
                       [LineType](const TMixerItem& item) { return item.LineType() == LineType; });
}

TMixerItem* TMixerDev::ItemOfTypeNext(const TMixerItem* PrevItem) const {
  const std::int32_t index = PrevItem == nullptr ? -1 : IndexOf(PrevItem);
  return index < 0 ? nullptr : ItemOfType(PrevItem->LineType(), index + 1);
}

TMixerItem* TMixerDev::ItemOfName(std::u16string_view Name, std::int32_t Start) const {
  return FirstItemFrom(Start, [Name](const TMixerItem& item) { return item.Name() == Name; });
}

TMixerItem* TMixerDev::ItemOfNameNext(const TMixerItem* PrevItem) const {
  const std::int32_t index = PrevItem == nullptr ? -1 : IndexOf(PrevItem);
  return index < 0 ? nullptr : ItemOfName(PrevItem->Name(), index + 1);
}

TMixerItem* TMixerDev::ItemOfLineID(mm::DWORD LineID) const {
  return FirstItemFrom(0, [LineID](const TMixerItem& item) { return item.LineId() == LineID; });
}

TMixerCtrl* TMixerDev::CtrlOfControlID(mm::DWORD ControlID) const {
  for (std::int32_t i = 0; i < FCtrlCount; ++i) {
    TMixerCtrl* ctrl = CtrlList[static_cast<std::size_t>(i)].get();
    if (ctrl->ControlID() == ControlID) {
      return ctrl;
    }
  }
  return nullptr;
}
