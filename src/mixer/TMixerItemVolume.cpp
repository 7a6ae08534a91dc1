// Volume, balance and mute of a line over its volume and mute controls.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "mixer/RoundHalfEven.h"
#include "mixer/TMixer.h"
#include "mixer/TMixerCtrl.h"
#include "mixer/TMixerDev.h"
#include "mixer/TMixerItem.h"

namespace {

constexpr double kRawFullScale = 65535.0;
constexpr mm::DWORD kRawMaximum = 65535;
constexpr double kPercentScale = 100.0;
// Below this sum of both channels the pair is too quiet to tell a balance.
constexpr mm::DWORD kBalanceMeasureMinimum = 3000;
// Keeps the stored balance against the rounding of raw values.
constexpr double kBalanceTolerance = 0.001;
constexpr float kLeftOnly = 0.0f;
constexpr float kRightOnly = 131071.0f;
constexpr double kStepDivisor = 25.0;

std::int32_t PercentOfRaw(mm::DWORD raw) {
  return static_cast<std::int32_t>(RoundHalfEven(raw * kPercentScale / kRawFullScale));
}

std::int32_t PercentOf(const TMixerVolume& raw) {
  return PercentOfRaw(std::max(raw.Left, raw.Right));
}

}  // namespace

TMixerVolume TMixerItem::GetRawVolume() {
  TMixerCtrl* ctrl = VolumeCtrl();
  if (ctrl == nullptr) {
    return {};
  }
  const mm::DWORD count = GetDetailsLength(*ctrl);
  if (count == 0) {
    return {};
  }
  std::vector<mm::MIXERCONTROLDETAILS_UNSIGNED> values(count);
  GetUnsigned(*ctrl, values);
  return {values[0].dwValue, count >= 2 ? values[1].dwValue : 0};
}

void TMixerItem::SetRawVolume(const TMixerVolume& Value) {
  TMixerCtrl* ctrl = VolumeCtrl();
  if (ctrl == nullptr) {
    return;
  }
  const mm::DWORD count = GetDetailsLength(*ctrl);
  if (count == 0) {
    return;
  }
  std::vector<mm::MIXERCONTROLDETAILS_UNSIGNED> values(count);
  if (count > 2) {
    GetUnsigned(*ctrl, values);  // channels after the second keep their values
  }
  values[0].dwValue = std::min(Value.Left, kRawMaximum);
  if (count >= 2) {
    values[1].dwValue = std::min(Value.Right, kRawMaximum);
  }
  SetUnsigned(*ctrl, values);
}

std::int32_t TMixerItem::GetVolume() {
  if (VolumeCtrl() == nullptr) {
    return -1;
  }
  const bool keepBalance = FMixerDev->Mixer()->Options().Contains(moNoBalanceAutoUpdate);
  return PercentOf(keepBalance ? GetRawVolume() : UpdateBalance());
}

void TMixerItem::SetVolume(std::int32_t Value) {
  const TMixerVolume target = RawOfVolume(static_cast<mm::DWORD>(std::clamp(Value, 0, 100)));
  if (GetRawVolume() != target) {
    SetRawVolume(target);
  }
}

TMixerVolume TMixerItem::RawOfVolume(mm::DWORD Percent) const {
  const double full = RoundHalfEven(Percent * kRawFullScale / kPercentScale);
  const auto raw = [](double value) { return static_cast<mm::DWORD>(value); };
  if (FChannel < 2) {
    return {raw(full), 0};
  }
  if (full == 0) {
    return {};
  }
  // The louder channel carries the full value.
  if (FBalance > 1.0f) {
    return {raw(RoundHalfEven(full / FBalance)), raw(full)};
  }
  return {raw(full), raw(RoundHalfEven(full * FBalance))};
}

float TMixerItem::BalanceOfRaw(mm::DWORD Left, mm::DWORD Right) const {
  if (FChannel == 1 || Left + Right < kBalanceMeasureMinimum) {
    return FBalance;
  }
  if (Left == 0) {
    return kRightOnly;
  }
  if (Right == 0) {
    return kLeftOnly;
  }
  return static_cast<float>(static_cast<double>(Right) / Left);
}

TMixerVolume TMixerItem::UpdateBalance() {
  const TMixerVolume raw = GetRawVolume();
  const float measured = BalanceOfRaw(raw.Left, raw.Right);
  if (std::abs(static_cast<double>(FBalance) - measured) > kBalanceTolerance * FBalance) {
    FBalance = measured;
  }
  return raw;
}

void TMixerItem::SetRawBalance(float Value) {
  if (!std::isnan(Value)) {
    FBalance = std::clamp(Value, kLeftOnly, kRightOnly);
  }
}

std::int32_t TMixerItem::GetBalance() const {
  const double ratio = FBalance;
  return static_cast<std::int32_t>(RoundHalfEven(ratio / (ratio + 1.0) * kPercentScale));
}

void TMixerItem::SetBalance(std::int32_t Value) {
  const std::int32_t volume = GetVolume();
  if (Value <= 0) {
    FBalance = kLeftOnly;
  } else if (Value >= 100) {
    FBalance = kRightOnly;
  } else {
    FBalance = static_cast<float>(static_cast<double>(Value) / (100 - Value));
  }
  SetVolume(volume);
}

bool TMixerItem::SetVolumeEx(std::int32_t Step, std::int32_t Value) {
  // Out-of-range requests would never be reached, or would reach below zero.
  const std::int32_t target = std::clamp(Value, 0, 100);
  const double step = std::max(Step, 0);
  const std::int32_t current = PercentOf(GetRawVolume());
  if (current == target) {
    return false;
  }
  const double distance = std::abs(static_cast<double>(current) - target);
  const double move = RoundHalfEven(distance * step / kStepDivisor) + 1.0;
  const double next = current < target ? std::min(current + move, static_cast<double>(target))
                                       : std::max(current - move, static_cast<double>(target));
  SetRawVolume(RawOfVolume(static_cast<mm::DWORD>(next)));
  return true;
}

bool TMixerItem::GetMute() {
  TMixerCtrl* ctrl = MuteCtrl();
  if (ctrl == nullptr) {
    return false;
  }
  std::array<mm::MIXERCONTROLDETAILS_BOOLEAN, 1> value{};
  GetBoolean(*ctrl, value);
  return value[0].fValue != 0;
}

void TMixerItem::SetMute(bool Value) {
  TMixerCtrl* ctrl = MuteCtrl();
  if (ctrl == nullptr || GetMute() == Value) {
    return;
  }
  const std::array<mm::MIXERCONTROLDETAILS_BOOLEAN, 1> value{{{Value ? 1 : 0}}};
  SetBoolean(*ctrl, value);
}
