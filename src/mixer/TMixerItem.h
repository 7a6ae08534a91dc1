#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "mixer/MixerControlType.h"
#include "mixer/MixerLineType.h"
#include "mixer/MixerOptions.h"
#include "mixer/MixerRecords.h"
#include "mixer/MixerValueKind.h"
#include "multimedia/mixerapi.h"

class TMixer;
class TMixerCtrl;
class TMixerDev;
class TMixerMultipleItems;

// One mixer line, a destination or one of its sources. Its controls are one run of its device's
// control list. Value access raises EMixerError; a missing volume or mute control is no error.
class TMixerItem {
 public:
  TMixerItem(TMixerDev* AMixerDev, const mm::MIXERLINEW& Line, TMixerItem* DestItem,
             mm::DWORD DestNum, TMixerOptions Options);
  virtual ~TMixerItem();
  TMixerItem(const TMixerItem&) = delete;
  TMixerItem& operator=(const TMixerItem&) = delete;

  TMixerDev* Device() const { return FMixerDev; }
  mm::DWORD LineId() const { return FLineID; }
  const std::u16string& Name() const { return FName; }
  const std::u16string& ShortName() const { return FShortName; }
  TMixerLineType LineType() const { return FLineType; }
  std::uint8_t Channel() const { return FChannel; }
  TMixerItem* DestItem() const { return FDestItem; }
  mm::DWORD DestNum() const { return FDestNum; }
  TMixerLineType DestType() const { return GetDestType(); }
  const std::u16string& TargetName() const { return FTargetName; }
  mm::DWORD TargetType() const { return FTargetType; }

  // The line's controls.
  bool IsDestination() const { return FDestItem == nullptr; }
  bool HasCtrl() const { return FCtrlIndex >= 0; }
  std::int32_t Count() const;
  TMixerCtrl* Ctrls(std::int32_t Index) const { return GetCtrl(Index); }
  TMixerCtrl* GetCtrl(std::int32_t Index) const;
  std::int32_t IndexOf(const TMixerCtrl* Ctrl) const;
  TMixerCtrl* CtrlOfType(TMixerControlTypes ControlTypes, std::int32_t Start) const;
  TMixerCtrl* CtrlOfTypeNext(const TMixerCtrl* PrevCtrl) const;
  TMixerCtrl* VolumeCtrl() const { return CtrlOfType({ctVolume}, 0); }
  TMixerCtrl* MuteCtrl() const { return CtrlOfType({ctMute}, 0); }
  bool VolumeExists() const { return VolumeCtrl() != nullptr; }
  bool MuteExists() const { return MuteCtrl() != nullptr; }
  // The list of the line's first multiple-item control, made on first use; null without one.
  TMixerMultipleItems* MultipleItems();

  // Volume in percent of a raw full scale of 65535 (-1 without a volume control), balance 0..100
  // (50 centred) kept as the ratio right to left, and the mute switch.
  TMixerVolume RawVolume() { return GetRawVolume(); }
  std::int32_t Volume() { return GetVolume(); }
  bool Mute() { return GetMute(); }
  std::int32_t Balance() const { return GetBalance(); }
  float RawBalance() const { return FBalance; }
  // Ratios outside 0 (left only) to 131071 (right only) are clamped; NaN is ignored.
  void SetRawBalance(float Value);
  // Reads the raw pair and takes its balance when it differs from the stored one by more than
  // a thousandth.
  TMixerVolume UpdateBalance();
  // One step of a gradual change towards Value; false once Value is reached. Step 0 moves one
  // percent, 25 or more reaches Value at once.
  bool SetVolumeEx(std::int32_t Step, std::int32_t Value);

  virtual TMixerLineType GetDestType() const;
  virtual TMixerVolume GetRawVolume();
  virtual void SetRawVolume(const TMixerVolume& Value);
  virtual std::int32_t GetVolume();
  virtual void SetVolume(std::int32_t Value);
  virtual bool GetMute();
  virtual void SetMute(bool Value);
  virtual std::int32_t GetBalance() const;
  virtual void SetBalance(std::int32_t Value);

  // Control values: channels (1 for a uniform control) times items (for a multiple-item
  // control). A request that does not suit the control raises code 11 before any device call.
  virtual mm::DWORD GetDetailsLength(const TMixerCtrl& Control) const;
  virtual bool GetBoolean(TMixerCtrl& Control, std::span<mm::MIXERCONTROLDETAILS_BOOLEAN> Details);
  virtual bool SetBoolean(TMixerCtrl& Control,
                          std::span<const mm::MIXERCONTROLDETAILS_BOOLEAN> Details);
  virtual bool GetSigned(TMixerCtrl& Control, std::span<mm::MIXERCONTROLDETAILS_SIGNED> Details);
  virtual bool SetSigned(TMixerCtrl& Control,
                         std::span<const mm::MIXERCONTROLDETAILS_SIGNED> Details);
  virtual bool GetUnsigned(TMixerCtrl& Control,
                           std::span<mm::MIXERCONTROLDETAILS_UNSIGNED> Details);
  virtual bool SetUnsigned(TMixerCtrl& Control,
                           std::span<const mm::MIXERCONTROLDETAILS_UNSIGNED> Details);
  virtual bool GetListText(TMixerCtrl& Control,
                           std::span<mm::MIXERCONTROLDETAILS_LISTTEXTW> Details);
  // List texts cannot be written: the buffer comes back zeroed and the device is not asked.
  virtual void SetListText(TMixerCtrl& Control,
                           std::span<mm::MIXERCONTROLDETAILS_LISTTEXTW> Details);

 private:
  friend class TMixer;  // the scan sets FCtrlIndex as it adds the line's controls

  mm::MixerApi& Api() const;
  mm::DWORD InitDetails(TMixerCtrl& Control, mm::MIXERCONTROLDETAILS& Details);
  mm::MIXERCONTROLDETAILS PrepareDetails(TMixerCtrl& Control, TMixerValueKind Kind,
                                         std::size_t BufferLength);
  template <typename Element>
  bool ReadValues(TMixerCtrl& Control, std::span<Element> Buffer, TMixerValueKind Kind,
                  mm::DWORD Flags);
  template <typename Element>
  bool WriteValues(TMixerCtrl& Control, std::span<const Element> Buffer, TMixerValueKind Kind);
  TMixerVolume RawOfVolume(mm::DWORD Percent) const;
  float BalanceOfRaw(mm::DWORD Left, mm::DWORD Right) const;

  TMixerDev* FMixerDev;
  std::int32_t FCtrlIndex = -1;
  std::uint8_t FChannel;
  mm::DWORD FLineID;
  TMixerLineType FLineType;
  TMixerItem* FDestItem;
  mm::DWORD FDestNum;
  std::u16string FName;
  std::u16string FShortName;
  mm::DWORD FTargetType;
  std::u16string FTargetName;
  float FBalance = 1.0f;
  std::unique_ptr<TMixerMultipleItems> FMultipleItems;
};
