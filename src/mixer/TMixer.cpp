#include "mixer/TMixer.h"

#include "mixer/TMixerCtrl.h"
#include "mixer/TMixerDev.h"
#include "mixer/TMixerItem.h"

namespace {

// Speakers and wave-in destinations with line-in, synthesizer, CD and wave-out sources, each
// with its volume and mute controls: what a volume panel shows.
constexpr TMixerLineTypes kDefaultLineTypes = {ltLine,    ltSynthesizer, ltCompactDisk,
                                               ltWaveOut, dtSpeakers,    dtWaveIn};
constexpr TMixerControlTypes kDefaultControlTypes = {ctVolume, ctMute};

}  // namespace

TMixer::TMixer(mm::MixerApi& Api) : FApi(Api) {
  FTarget.SetControlType(kDefaultControlTypes);
  FTarget.SetLineType(kDefaultLineTypes);
}

TMixer::~TMixer() {
  Clear();
  FInternalCallbackWindow.reset();
}

void TMixer::Loaded() {
  if (FAutoScan) {
    Scan();
  }
}

void TMixer::Clear() {
  for (auto& slot : DevList) {
    // The slot is cleared before its device closes.
    std::unique_ptr<TMixerDev> device = std::move(slot);
    device.reset();
  }
  DevList.clear();
}

TMixerDev* TMixer::GetItem(std::int32_t Index) const {
  if (Index < 0 || Index >= GetCount()) {
    return nullptr;
  }
  return DevList[static_cast<std::size_t>(Index)].get();
}

TMixerDev* TMixer::GetPrimaryDevice() const {
  return DevList.empty() ? nullptr : DevList.front().get();
}

std::int32_t TMixer::GetCount() const {
  return static_cast<std::int32_t>(DevList.size());
}

TMixerDev* TMixer::DevOfHandle(mm::HMIXER Handle) const {
  for (const auto& device : DevList) {
    if (device->Handle() == Handle) {
      return device.get();
    }
  }
  return nullptr;
}

TMixerDev* TMixer::DevOfName(std::u16string_view Name) const {
  for (const auto& device : DevList) {
    if (device->Name() == Name) {
      return device.get();
    }
  }
  return nullptr;
}

TMixerItem* TMixer::Master() const {
  const TMixerDev* primary = PrimaryDevice();
  return primary == nullptr ? nullptr : primary->ItemOfType(dtSpeakers, 0);
}

std::int32_t TMixer::MasterVolume() {
  TMixerItem* master = Master();
  return master == nullptr ? -1 : master->Volume();
}

void TMixer::SetMasterVolume(std::int32_t Value) {
  if (TMixerItem* master = Master()) {
    master->SetVolume(Value);
  }
}

bool TMixer::MasterMute() {
  TMixerItem* master = Master();
  return master != nullptr && master->Mute();
}

void TMixer::SetMasterMute(bool Value) {
  if (TMixerItem* master = Master()) {
    master->SetMute(Value);
  }
}

TMixerDev* TMixer::AddDevice(mm::HMIXER Handle, const mm::MIXERCAPSW& MixerCaps,
                             TMixerOptions Options) {
  // Room first: once made, the device owns the open handle and must not be dropped.
  DevList.reserve(DevList.size() + 1);
  DevList.push_back(CreateDevice(Handle, MixerCaps, Options));
  return DevList.back().get();
}

std::unique_ptr<TMixerDev> TMixer::CreateDevice(mm::HMIXER Handle, const mm::MIXERCAPSW& MixerCaps,
                                                TMixerOptions Options) {
  return std::make_unique<TMixerDev>(this, Handle, MixerCaps, Options);
}

std::unique_ptr<TMixerItem> TMixer::CreateItem(TMixerDev* AMixerDev, const mm::MIXERLINEW& Line,
                                               TMixerItem* DestItem, mm::DWORD DestNum,
                                               TMixerOptions Options) {
  return std::make_unique<TMixerItem>(AMixerDev, Line, DestItem, DestNum, Options);
}

std::unique_ptr<TMixerCtrl> TMixer::CreateCtrl(TMixerItem* Item, const mm::MIXERCONTROLW& Control,
                                               TMixerOptions Options) {
  auto ctrl = std::make_unique<TMixerCtrl>(Control, Options);
  ctrl->FParent = Item;
  return ctrl;
}
