#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "mixer/MixerEvents.h"
#include "mixer/MixerOptions.h"
#include "mixer/TMixerTarget.h"
#include "multimedia/mixerapi.h"
#include "toolkit/MessageWindow.h"

class TMixerCtrl;
class TMixerDev;
class TMixerItem;

// The system's mixer devices as a tree: devices, their lines and the lines' controls, built by
// a filtered scan, with the master line's volume and mute and change events. Scan failures are
// silent; value access raises EMixerError. UI thread only.
class TMixer {
 public:
  explicit TMixer(mm::MixerApi& Api = mm::SystemMixerApi());
  // Closes every device, then releases the notification window.
  virtual ~TMixer();
  TMixer(const TMixer&) = delete;
  TMixer& operator=(const TMixer&) = delete;

  // Called by the owning window once it is set up: scans when AutoScan is on.
  virtual void Loaded();
  // Rebuilds the tree: closes every device of the previous scan, then opens every device the
  // system lists and keeps the lines and controls that Target admits.
  virtual void Scan();
  void Clear();

  mm::MixerApi& Api() const { return FApi; }

  bool AutoScan() const { return FAutoScan; }
  void SetAutoScan(bool Value) { FAutoScan = Value; }
  // Keep admitted lines even when no admitted control is left on them.
  bool EnableInvalidItem() const { return FEnableInvalidItem; }
  void SetEnableInvalidItem(bool Value) { FEnableInvalidItem = Value; }
  TMixerTarget& Target() { return FTarget; }
  const TMixerTarget& Target() const { return FTarget; }
  void SetTarget(const TMixerTarget& Value) { FTarget = Value; }
  TMixerOptions Options() const { return FOptions; }
  void SetOptions(TMixerOptions Value) { FOptions = Value; }
  // A window of the caller's to open the devices with instead of the component's own; it then
  // receives the change messages and no event is raised. Takes effect at the next scan.
  toolkit::WindowHandle CallbackWindow() const { return FCallbackHandle; }
  void SetCallbackWindow(toolkit::WindowHandle Value) { FCallbackHandle = Value; }
  const TMixerControlChangeEvent& OnControlChange() const { return FOnControlChange; }
  void SetOnControlChange(TMixerControlChangeEvent Value) { FOnControlChange = std::move(Value); }
  const TMixerLineChangeEvent& OnLineChange() const { return FOnLineChange; }
  void SetOnLineChange(TMixerLineChangeEvent Value) { FOnLineChange = std::move(Value); }

  std::int32_t Count() const { return GetCount(); }
  TMixerDev* Devs(std::int32_t Index) const { return GetItem(Index); }
  // The first device the last scan could open; null without one.
  TMixerDev* PrimaryDevice() const { return GetPrimaryDevice(); }
  TMixerDev* DevOfHandle(mm::HMIXER Handle) const;
  // Exact, case-sensitive.
  TMixerDev* DevOfName(std::u16string_view Name) const;
  // The primary device's first speakers destination, looked up at every call; null without one.
  TMixerItem* Master() const;
  // -1 and false without a master line; writes then do nothing.
  std::int32_t MasterVolume();
  void SetMasterVolume(std::int32_t Value);
  bool MasterMute();
  void SetMasterMute(bool Value);

 protected:
  // Null outside 0..Count-1.
  virtual TMixerDev* GetItem(std::int32_t Index) const;
  virtual TMixerDev* GetPrimaryDevice() const;
  virtual std::int32_t GetCount() const;
  virtual TMixerDev* AddDevice(mm::HMIXER Handle, const mm::MIXERCAPSW& MixerCaps,
                               TMixerOptions Options);
  virtual void DoControlChange(mm::HMIXER Handle, mm::DWORD ControlID);
  virtual void DoLineChange(mm::HMIXER Handle, mm::DWORD LineID);
  // The window the devices are opened with: the caller's CallbackWindow, else the component's
  // own, made on first use and kept for later scans.
  virtual toolkit::WindowHandle GetCallbackHandle();
  virtual std::unique_ptr<TMixerItem> CreateItem(TMixerDev* AMixerDev, const mm::MIXERLINEW& Line,
                                                 TMixerItem* DestItem, mm::DWORD DestNum,
                                                 TMixerOptions Options);
  virtual std::unique_ptr<TMixerDev> CreateDevice(mm::HMIXER Handle,
                                                  const mm::MIXERCAPSW& MixerCaps,
                                                  TMixerOptions Options);
  virtual std::unique_ptr<TMixerCtrl> CreateCtrl(TMixerItem* Item, const mm::MIXERCONTROLW& Control,
                                                 TMixerOptions Options);

 private:
  friend class TMixerDev;  // its list management calls the factories

  void WndProc(std::uint32_t Msg, std::uintptr_t WParam, std::intptr_t LParam);
  bool ScanDestination(TMixerDev& Dev, mm::DWORD Destination);
  bool AddControls(TMixerDev& Dev, TMixerItem& Item, mm::DWORD ControlCount);
  void RemoveDestination(TMixerDev& Dev, TMixerItem* DestItem);

  mm::MixerApi& FApi;
  bool FAutoScan = true;
  bool FEnableInvalidItem = false;
  std::unique_ptr<toolkit::MessageWindow> FInternalCallbackWindow;
  toolkit::WindowHandle FCallbackHandle = 0;
  TMixerControlChangeEvent FOnControlChange;
  TMixerLineChangeEvent FOnLineChange;
  TMixerTarget FTarget;
  TMixerOptions FOptions;
  std::vector<std::unique_ptr<TMixerDev>> DevList;
};
