#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mixer/MixerLineType.h"
#include "mixer/MixerOptions.h"
#include "multimedia/mixerapi.h"

class TMixer;
class TMixerCtrl;
class TMixerItem;

// One opened mixer device. It owns its handle, its lines (each destination followed by its
// sources) and the controls of all its lines, each line's controls one run in the system's order.
class TMixerDev {
 public:
  TMixerDev(TMixer* AMixer, mm::HMIXER Handle, const mm::MIXERCAPSW& MixerCaps,
            TMixerOptions Options);
  // Destroys the lines and controls, then closes the handle.
  virtual ~TMixerDev();
  TMixerDev(const TMixerDev&) = delete;
  TMixerDev& operator=(const TMixerDev&) = delete;

  TMixer* Mixer() const { return FMixer; }
  std::int32_t Count() const { return FCount; }
  mm::HMIXER Handle() const { return FHandle; }
  const std::u16string& Name() const { return FName; }
  void SetName(std::u16string Value) { FName = std::move(Value); }
  TMixerItem* Items(std::int32_t Index) const { return GetItem(Index); }

  // Linear lookups in list order; a miss is null or -1.
  std::int32_t IndexOf(const TMixerItem* Item) const;
  TMixerItem* ItemOfType(TMixerLineType LineType, std::int32_t Start) const;
  TMixerItem* ItemOfTypeNext(const TMixerItem* PrevItem) const;
  // Exact, case-sensitive.
  TMixerItem* ItemOfName(std::u16string_view Name, std::int32_t Start) const;
  TMixerItem* ItemOfNameNext(const TMixerItem* PrevItem) const;
  TMixerItem* ItemOfLineID(mm::DWORD LineID) const;
  TMixerCtrl* CtrlOfControlID(mm::DWORD ControlID) const;

  // Null outside 0..Count-1.
  virtual TMixerItem* GetItem(std::int32_t Index) const;
  // Destroys every line and control; the lists keep their capacity.
  virtual void Clear();

 private:
  friend class TMixer;      // the scan fills the lists
  friend class TMixerItem;  // a line walks its run of controls

  TMixerItem* AddItem(const mm::MIXERLINEW& Line, TMixerItem* DestItem, TMixerOptions Options,
                      mm::DWORD DestNum);
  std::int32_t AddCtrl(const mm::MIXERCONTROLW& Control, TMixerOptions Options, TMixerItem* Item);
  std::int32_t RemoveItem(TMixerItem* Item);
  TMixerCtrl* CtrlAt(std::int32_t Position) const;
  template <typename Matches>
  TMixerItem* FirstItemFrom(std::int32_t Start, Matches matches) const;

  TMixer* FMixer;
  std::u16string FName;
  mm::HMIXER FHandle;
  std::int32_t FCount = 0;
  std::int32_t FCtrlCount = 0;
  std::vector<std::unique_ptr<TMixerItem>> ItemList;
  std::vector<std::unique_ptr<TMixerCtrl>> CtrlList;
};
