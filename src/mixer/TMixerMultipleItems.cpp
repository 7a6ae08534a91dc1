#include "mixer/TMixerMultipleItems.h"

#include <algorithm>

#include "mixer/SameTextIgnoringCase.h"
#include "mixer/TMixerCtrl.h"
#include "mixer/TMixerDev.h"
#include "mixer/TMixerItem.h"
#include "mixer/TextOfField.h"

namespace {

// The largest index a selection write accepts.
constexpr std::int32_t kMaximumSelectedIndex = 255;

template <typename Predicate>
std::int32_t IndexWhere(const std::vector<TMixerMultipleItemData>& list, Predicate predicate) {
  const auto found = std::ranges::find_if(list, predicate);
  return found == list.end() ? -1 : static_cast<std::int32_t>(found - list.begin());
}

}  // namespace

TMixerMultipleItems::TMixerMultipleItems(TMixerItem* AOwner) : FItem(AOwner) {}

PMixerMultipleItemData TMixerMultipleItems::GetItem(std::int32_t Index) {
  if (Index < 0 || Index >= Count()) {
    return nullptr;
  }
  return &FList[static_cast<std::size_t>(Index)];
}

std::int32_t TMixerMultipleItems::IndexOfParam1(mm::DWORD Param) const {
  return IndexWhere(FList,
                    [Param](const TMixerMultipleItemData& row) { return row.Param1 == Param; });
}

std::int32_t TMixerMultipleItems::IndexOfParam2(mm::DWORD Param) const {
  return IndexWhere(FList,
                    [Param](const TMixerMultipleItemData& row) { return row.Param2 == Param; });
}

std::int32_t TMixerMultipleItems::IndexOfName(std::u16string_view Name) const {
  return IndexWhere(FList, [Name](const TMixerMultipleItemData& row) {
    return SameTextIgnoringCase(row.Name, Name);
  });
}

TMixerItem* TMixerMultipleItems::MixerItemOfIndex(std::int32_t Index) const {
  if (Index < 0 || Index >= Count()) {
    return nullptr;
  }
  return FItem->Device()->ItemOfLineID(FList[static_cast<std::size_t>(Index)].Param1);
}

void TMixerMultipleItems::SetCtrl(TMixerCtrl* Value) {
  FControl = Value;
  Reload();
}

void TMixerMultipleItems::Reload() {
  FList.clear();
  if (FControl == nullptr) {
    return;
  }
  std::vector<mm::MIXERCONTROLDETAILS_LISTTEXTW> texts(FItem->GetDetailsLength(*FControl));
  if (texts.empty()) {
    return;  // a control without items: nothing to ask the device
  }
  FItem->GetListText(*FControl, texts);
  FList.reserve(texts.size());
  for (const auto& text : texts) {
    FList.push_back({TextOfField(text.szName), text.dwParam1, text.dwParam2});
  }
}

bool TMixerMultipleItems::IsSingleSelect() const {
  return FControl != nullptr &&
         (FControl->ControlType() == ctMux || FControl->ControlType() == ctSingleSelect);
}

std::vector<mm::MIXERCONTROLDETAILS_BOOLEAN> TMixerMultipleItems::ReadSelection() {
  std::vector<mm::MIXERCONTROLDETAILS_BOOLEAN> selection(FItem->GetDetailsLength(*FControl));
  if (!selection.empty()) {
    FItem->GetBoolean(*FControl, selection);
  }
  return selection;
}

std::int32_t TMixerMultipleItems::SelectedIndex() {
  if (!IsSingleSelect()) {
    return -1;
  }
  const auto selection = ReadSelection();
  const auto selected = std::ranges::find_if(
      selection, [](const mm::MIXERCONTROLDETAILS_BOOLEAN& value) { return value.fValue != 0; });
  return selected == selection.end() ? -1 : static_cast<std::int32_t>(selected - selection.begin());
}

void TMixerMultipleItems::SetSelectedIndex(std::int32_t Value) {
  if (!IsSingleSelect()) {
    return;
  }
  auto selection = ReadSelection();
  const auto count = static_cast<std::int32_t>(selection.size());
  if (count == 0 || Value < 0 || Value > count - 1 || Value > kMaximumSelectedIndex ||
      selection[static_cast<std::size_t>(Value)].fValue != 0) {
    return;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    selection[static_cast<std::size_t>(i)].fValue = i == Value ? 1 : 0;
  }
  FItem->SetBoolean(*FControl, selection);
}

TMixerItem* TMixerMultipleItems::SelectedItem() {
  const std::int32_t index = SelectedIndex();
  return index >= 0 && index < Count() ? MixerItemOfIndex(index) : nullptr;
}

void TMixerMultipleItems::SetSelectedItem(TMixerItem& Value) {
  std::int32_t selected = SelectedIndex();
  if (selected < 0) {
    return;
  }
  const std::int32_t wanted = IndexOfParam1(Value.LineId());
  if (wanted == -1) {
    return;
  }
  if (selected >= Count()) {
    // The list is older than the device's items.
    Reload();
    selected = SelectedIndex();
    if (selected < 0 || selected >= Count()) {
      return;
    }
  }
  if (selected != wanted) {
    SetSelectedIndex(wanted);
  }
}
