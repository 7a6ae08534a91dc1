#include "OpenMixer.h"

#include <cstdint>

#include "ElementValues.h"

namespace mm::alsa {

std::unique_ptr<OpenMixer> OpenMixer::Open(const MixerDevice& device,
                                           std::unique_ptr<MixerConnection> connection,
                                           HMIXER handle, toolkit::WindowHandle window) {
  if (!connection) {
    return nullptr;
  }
  std::unique_ptr<OpenMixer> mixer(new OpenMixer(device, std::move(connection), handle, window));
  if (window != 0) {
    mixer->FWatcher = std::make_unique<MixerWatcher>(*mixer);
  }
  return mixer;
}

OpenMixer::OpenMixer(MixerDevice device, std::unique_ptr<MixerConnection> connection, HMIXER handle,
                     toolkit::WindowHandle window)
    : FDevice(std::move(device)),
      FConnection(std::move(connection)),
      FLayout(MixerLayout::Of(*FConnection)),
      FHandle(handle),
      FWindow(window),
      FKnownValues(FLayout.Controls().size()) {
  FDevice.destinations = FLayout.Destinations();
  TakeChangedControls();  // the values at opening are the baseline, not changes
}

OpenMixer::~OpenMixer() {
  FWatcher.reset();  // first: it calls into this object
}

bool OpenMixer::Connected() {
  const std::lock_guard guard(FLock);
  return EnsureConnected();
}

std::vector<pollfd> OpenMixer::PollDescriptors() {
  const std::lock_guard guard(FLock);
  return FConnection ? FConnection->PollDescriptors() : std::vector<pollfd>{};
}

void OpenMixer::TakeInChanges(bool broken) {
  const std::lock_guard guard(FLock);
  if (!FConnection) {
    return;
  }
  // A descriptor that stays broken would wake the watcher forever: such a connection is lost.
  if (broken || !FConnection->Refresh()) {
    Lose();
    return;
  }
  PostControlChanges();
}

bool OpenMixer::EnsureConnected() {
  if (FConnection) {
    if (FConnection->Refresh()) {
      PostControlChanges();
      return true;
    }
    Lose();
  }
  FConnection = MixerConnection::Open(FDevice.name);
  if (!FConnection) {
    return false;
  }
  PostLineChanges();
  PostControlChanges();
  if (FWatcher) {
    FWatcher->Wake();  // to wait on the new connection
  }
  return true;
}

void OpenMixer::Lose() {
  FConnection.reset();
  PostLineChanges();
  if (FWatcher) {
    FWatcher->Wake();  // from the closed connection to waiting for its return
  }
}

snd_mixer_elem_t* OpenMixer::ElementOf(const ControlLayout& control) {
  return EnsureConnected() ? FConnection->Find(FLayout.LineOf(control).element) : nullptr;
}

MMRESULT OpenMixer::Read(const ControlLayout& control, std::span<DWORD> values) {
  const std::lock_guard guard(FLock);
  auto* element = ElementOf(control);
  if (element == nullptr) {
    return MMSYSERR_NODRIVER;
  }
  const auto& line = FLayout.LineOf(control);
  const auto current = ReadElementValues(element, line, control.kind);
  if (!current) {
    return MMSYSERR_NODRIVER;
  }
  if (control.kind == ControlKind::Mute) {
    for (std::size_t channel = 0; channel < values.size(); ++channel) {
      values[channel] = (*current)[channel] == 0 ? 1 : 0;
    }
    return MMSYSERR_NOERROR;
  }
  const auto range = VolumeRangeOf(element, line.side);
  for (std::size_t channel = 0; channel < values.size(); ++channel) {
    const long value = (*current)[channel];
    values[channel] = range ? FWritten.RawOf(control.id, channel, value, *range) : 0;
  }
  return MMSYSERR_NOERROR;
}

MMRESULT OpenMixer::Write(const ControlLayout& control, std::span<const DWORD> values) {
  const std::lock_guard guard(FLock);
  auto* element = ElementOf(control);
  if (element == nullptr) {
    return MMSYSERR_NODRIVER;
  }
  const auto& line = FLayout.LineOf(control);
  std::vector<long> elementValues(values.size());
  if (control.kind == ControlKind::Mute) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      elementValues[i] = values[i] != 0 ? 0 : 1;
    }
  } else {
    const auto range = VolumeRangeOf(element, line.side);
    if (!range) {
      return MMSYSERR_NOERROR;  // a volume without steps has nothing to set
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
      elementValues[i] = ElementVolumeOfRaw(values[i], *range);
    }
  }
  if (!WriteElementValues(element, line, control.kind, elementValues)) {
    return MMSYSERR_NODRIVER;
  }
  if (control.kind == ControlKind::Volume) {
    // One value stands for every channel.
    const std::size_t channels = values.size() == 1 ? line.channels.size() : values.size();
    for (std::size_t channel = 0; channel < channels; ++channel) {
      const std::size_t i = values.size() == 1 ? 0 : channel;
      FWritten.Remember(control.id, channel, std::min<DWORD>(values[i], kRawVolumeMaximum),
                        elementValues[i]);
    }
  }
  PostControlChanges();  // ALSA tells other connections, never the writing one
  return MMSYSERR_NOERROR;
}

void OpenMixer::PostLineChanges() const {
  for (const auto& line : FLayout.Lines()) {
    toolkit::postMessage(FWindow, MM_MIXM_LINE_CHANGE, reinterpret_cast<std::uintptr_t>(FHandle),
                         static_cast<std::intptr_t>(line.lineId));
  }
}

void OpenMixer::PostControlChanges() {
  for (const DWORD id : TakeChangedControls()) {
    toolkit::postMessage(FWindow, MM_MIXM_CONTROL_CHANGE, reinterpret_cast<std::uintptr_t>(FHandle),
                         static_cast<std::intptr_t>(id));
  }
}

// The controls whose values differ from the last known ones, which then take the new values.
// A control that cannot be read keeps its last known values: its device is going away, and the
// line changes say so.
std::vector<DWORD> OpenMixer::TakeChangedControls() {
  std::vector<DWORD> changed;
  for (const auto& control : FLayout.Controls()) {
    const auto& line = FLayout.LineOf(control);
    auto* element = FConnection->Find(line.element);
    auto values =
        element != nullptr ? ReadElementValues(element, line, control.kind) : std::nullopt;
    if (values && values != FKnownValues[control.id]) {
      FKnownValues[control.id] = std::move(values);
      changed.push_back(control.id);
    }
  }
  return changed;
}

}  // namespace mm::alsa
