#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "mixer/MixerRecords.h"
#include "multimedia/mixerapi.h"

class TMixerCtrl;
class TMixerItem;

// The item list of a multiple-item control (mux, mixer, single and multiple select) of one line,
// loaded when its control is assigned. The selection of a single-select control is asked of the
// device at every access.
class TMixerMultipleItems {
 public:
  explicit TMixerMultipleItems(TMixerItem* AOwner);
  TMixerMultipleItems(const TMixerMultipleItems&) = delete;
  TMixerMultipleItems& operator=(const TMixerMultipleItems&) = delete;

  std::int32_t Count() const { return static_cast<std::int32_t>(FList.size()); }
  // The row at Index, null outside 0..Count-1; valid until the list is reloaded.
  PMixerMultipleItemData GetItem(std::int32_t Index);
  PMixerMultipleItemData Items(std::int32_t Index) { return GetItem(Index); }
  std::int32_t IndexOfParam1(mm::DWORD Param) const;
  std::int32_t IndexOfParam2(mm::DWORD Param) const;
  // Letter case does not matter.
  std::int32_t IndexOfName(std::u16string_view Name) const;
  // The line of the same device whose line ID is the row's Param1.
  TMixerItem* MixerItemOfIndex(std::int32_t Index) const;

  TMixerCtrl* Ctrl() const { return FControl; }
  // Assigning reloads the list from the device.
  void SetCtrl(TMixerCtrl* Value);

  // Single-select controls only (mux, single select): -1 or null otherwise, and writes ignored.
  std::int32_t SelectedIndex();
  void SetSelectedIndex(std::int32_t Value);
  TMixerItem* SelectedItem();
  void SetSelectedItem(TMixerItem& Value);

 private:
  void Reload();
  bool IsSingleSelect() const;
  std::vector<mm::MIXERCONTROLDETAILS_BOOLEAN> ReadSelection();

  TMixerItem* FItem;
  TMixerCtrl* FControl = nullptr;
  std::vector<TMixerMultipleItemData> FList;
};
