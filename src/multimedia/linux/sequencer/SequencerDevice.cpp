#include "multimedia/linux/sequencer/SequencerDevice.h"

#include <algorithm>
#include <chrono>

namespace sequencer {

namespace {

using namespace std::chrono_literals;

constexpr mm::DWORD kTrackCount = 1;  // a MIDI file is one track to MCI
// A waiting play gives up when the sound output has not moved on for this long.
constexpr auto kStallTimeout = 5s;

}  // namespace

SequencerDevice::SequencerDevice(mm::MCIDEVICEID id, std::shared_ptr<const Song> song,
                                 Synthesizer& synthesizer)
    : FId(id), FSong(std::move(song)), FSynthesizer(synthesizer) {}

SequencerDevice::~SequencerDevice() {
  FSynthesizer.Stop(this);
}

mm::MCIERROR SequencerDevice::Play(mm::DWORD flags, const mm::MCI_PLAY_PARMS& parms) {
  Refresh();
  const std::uint64_t length = LengthMilliseconds();
  if (((flags & mm::MCI_FROM) && parms.dwFrom > length) ||
      ((flags & mm::MCI_TO) && parms.dwTo > length)) {
    return mm::MCIERR_OUTOFRANGE;
  }
  const std::uint64_t from =
      (flags & mm::MCI_FROM) ? ToMicroseconds(parms.dwFrom) : PositionMicroseconds();
  const std::uint64_t to =
      (flags & mm::MCI_TO) ? ToMicroseconds(parms.dwTo) : FSong->LengthMicroseconds();
  if (from > to) {
    return mm::MCIERR_OUTOFRANGE;
  }
  return Perform(from, to, flags, parms.dwCallback);
}

mm::MCIERROR SequencerDevice::Seek(mm::DWORD flags, const mm::MCI_SEEK_PARMS& parms) {
  const int targets = ((flags & mm::MCI_SEEK_TO_START) != 0) +
                      ((flags & mm::MCI_SEEK_TO_END) != 0) + ((flags & mm::MCI_TO) != 0);
  if (targets == 0) {
    return mm::MCIERR_MISSING_PARAMETER;
  }
  if (targets > 1) {
    return mm::MCIERR_FLAGS_NOT_COMPATIBLE;
  }
  if ((flags & mm::MCI_TO) && parms.dwTo > LengthMilliseconds()) {
    return mm::MCIERR_OUTOFRANGE;
  }
  Refresh();
  Interrupt();
  FMode = Mode::kStopped;
  if (flags & mm::MCI_SEEK_TO_START) {
    FPosition = 0;
  } else if (flags & mm::MCI_SEEK_TO_END) {
    FPosition = FSong->LengthMicroseconds();
  } else {
    FPosition = ToMicroseconds(parms.dwTo);
  }
  return mm::MMSYSERR_NOERROR;
}

mm::MCIERROR SequencerDevice::Pause() {
  Refresh();
  if (FMode == Mode::kPlaying) {
    Interrupt();
    FMode = FFinished ? Mode::kStopped : Mode::kPaused;
  }
  return mm::MMSYSERR_NOERROR;
}

mm::MCIERROR SequencerDevice::Resume(mm::DWORD flags, const mm::MCI_GENERIC_PARMS& parms) {
  Refresh();
  switch (FMode) {
    case Mode::kPaused:
      return Perform(FPosition, FPlayTo, flags, parms.dwCallback);
    case Mode::kPlaying:
      if (flags & mm::MCI_NOTIFY) {
        Post(FPendingNotification.exchange(parms.dwCallback), mm::MCI_NOTIFY_SUPERSEDED);
        if (FFinished) {  // the end came first: the new request is met already
          Post(FPendingNotification.exchange(0), mm::MCI_NOTIFY_SUCCESSFUL);
        }
      }
      return mm::MMSYSERR_NOERROR;
    case Mode::kStopped:
      break;
  }
  return mm::MCIERR_NONAPPLICABLE_FUNCTION;
}

mm::MCIERROR SequencerDevice::Stop() {
  Refresh();
  Interrupt();
  FMode = Mode::kStopped;
  return mm::MMSYSERR_NOERROR;
}

mm::MCIERROR SequencerDevice::Status(mm::DWORD flags, mm::MCI_STATUS_PARMS& parms) {
  if (!(flags & mm::MCI_STATUS_ITEM)) {
    return mm::MCIERR_MISSING_PARAMETER;
  }
  Refresh();
  const bool track = (flags & mm::MCI_TRACK) != 0;
  if (track && (parms.dwTrack < 1 || parms.dwTrack > kTrackCount)) {
    return mm::MCIERR_OUTOFRANGE;
  }
  switch (parms.dwItem) {
    case mm::MCI_STATUS_LENGTH:
      parms.dwReturn = LengthMilliseconds();
      return mm::MMSYSERR_NOERROR;
    case mm::MCI_STATUS_POSITION:
      parms.dwReturn = track || (flags & mm::MCI_STATUS_START) ? 0 : PositionMicroseconds() / 1000;
      return mm::MMSYSERR_NOERROR;
    case mm::MCI_STATUS_NUMBER_OF_TRACKS:
      parms.dwReturn = kTrackCount;
      return mm::MMSYSERR_NOERROR;
    case mm::MCI_STATUS_CURRENT_TRACK:
      parms.dwReturn = 1;
      return mm::MMSYSERR_NOERROR;
    case mm::MCI_STATUS_MODE:
      parms.dwReturn = FMode == Mode::kPlaying  ? mm::MCI_MODE_PLAY
                       : FMode == Mode::kPaused ? mm::MCI_MODE_PAUSE
                                                : mm::MCI_MODE_STOP;
      return mm::MMSYSERR_NOERROR;
    case mm::MCI_STATUS_TIME_FORMAT:
      parms.dwReturn = mm::MCI_FORMAT_MILLISECONDS;
      return mm::MMSYSERR_NOERROR;
    case mm::MCI_STATUS_READY:
    case mm::MCI_STATUS_MEDIA_PRESENT:
      parms.dwReturn = mm::TRUE;
      return mm::MMSYSERR_NOERROR;
  }
  return mm::MCIERR_UNSUPPORTED_FUNCTION;
}

mm::MCIERROR SequencerDevice::GetDevCaps(mm::DWORD flags, mm::MCI_GETDEVCAPS_PARMS& parms) const {
  if (!(flags & mm::MCI_GETDEVCAPS_ITEM)) {
    return mm::MCIERR_MISSING_PARAMETER;
  }
  switch (parms.dwItem) {
    case mm::MCI_GETDEVCAPS_CAN_PLAY:
    case mm::MCI_GETDEVCAPS_HAS_AUDIO:
    case mm::MCI_GETDEVCAPS_USES_FILES:
    case mm::MCI_GETDEVCAPS_COMPOUND_DEVICE:
      parms.dwReturn = mm::TRUE;
      return mm::MMSYSERR_NOERROR;
    case mm::MCI_GETDEVCAPS_CAN_RECORD:
    case mm::MCI_GETDEVCAPS_CAN_EJECT:
    case mm::MCI_GETDEVCAPS_HAS_VIDEO:
    case mm::MCI_GETDEVCAPS_CAN_SAVE:
      parms.dwReturn = mm::FALSE;
      return mm::MMSYSERR_NOERROR;
    case mm::MCI_GETDEVCAPS_DEVICE_TYPE:
      parms.dwReturn = mm::MCI_DEVTYPE_SEQUENCER;
      return mm::MMSYSERR_NOERROR;
  }
  return mm::MCIERR_UNSUPPORTED_FUNCTION;
}

mm::MCIERROR SequencerDevice::Set(mm::DWORD flags, const mm::MCI_SET_PARMS& parms) const {
  if (flags & (mm::MCI_SET_DOOR_OPEN | mm::MCI_SET_DOOR_CLOSED | mm::MCI_SET_AUDIO |
               mm::MCI_SET_VIDEO | mm::MCI_SET_ON | mm::MCI_SET_OFF)) {
    return mm::MCIERR_UNSUPPORTED_FUNCTION;
  }
  if (!(flags & mm::MCI_SET_TIME_FORMAT)) {
    return mm::MCIERR_MISSING_PARAMETER;
  }
  return parms.dwTimeFormat == mm::MCI_FORMAT_MILLISECONDS ? mm::MMSYSERR_NOERROR
                                                           : mm::MCIERR_BAD_TIME_FORMAT;
}

void SequencerDevice::NotifySuccess(mm::DWORD flags, mm::DWORD_PTR callback) const {
  if (flags & mm::MCI_NOTIFY) {
    Post(callback, mm::MCI_NOTIFY_SUCCESSFUL);
  }
}

mm::MCIERROR SequencerDevice::Perform(std::uint64_t from, std::uint64_t to, mm::DWORD flags,
                                      mm::DWORD_PTR callback) {
  if (FSynthesizer.IsBusy(this)) {
    return mm::MCIERR_SEQ_PORT_INUSE;
  }
  // After this the previous performance can no longer end by itself.
  FSynthesizer.Stop(this);
  EndPendingNotification((flags & mm::MCI_NOTIFY) ? mm::MCI_NOTIFY_SUPERSEDED
                                                  : mm::MCI_NOTIFY_ABORTED);
  FFinished = false;
  if (flags & mm::MCI_NOTIFY) {
    FPendingNotification = callback;
  }
  FMode = Mode::kPlaying;
  FPlayFrom = from;
  FPlayTo = to;
  FSynthesizer.Play(this, FSong, from, to, [this] { OnFinished(); });
  return (flags & mm::MCI_WAIT) ? WaitForEnd() : mm::MMSYSERR_NOERROR;
}

mm::MCIERROR SequencerDevice::WaitForEnd() {
  std::uint64_t played = FSynthesizer.PlayedMicroseconds();
  auto lastProgress = std::chrono::steady_clock::now();
  while (!FinishedWithin(100ms)) {
    const std::uint64_t now = FSynthesizer.PlayedMicroseconds();
    if (now != played) {
      played = now;
      lastProgress = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - lastProgress > kStallTimeout) {
      Stop();
      return mm::MCIERR_HARDWARE;
    }
  }
  Refresh();
  return mm::MMSYSERR_NOERROR;
}

bool SequencerDevice::FinishedWithin(std::chrono::milliseconds timeout) {
  std::unique_lock lock(FFinishedMutex);
  return FFinishedSignal.wait_for(lock, timeout, [this] { return FFinished.load(); });
}

void SequencerDevice::Interrupt() {
  if (FMode != Mode::kPlaying) {
    return;
  }
  const std::uint64_t reached = PositionMicroseconds();
  FSynthesizer.Stop(this);
  FPosition = FFinished ? FPlayTo : reached;
  EndPendingNotification(mm::MCI_NOTIFY_ABORTED);
}

void SequencerDevice::Refresh() {
  if (FMode == Mode::kPlaying && FFinished) {
    FMode = Mode::kStopped;
    FPosition = FPlayTo;
  }
}

std::uint64_t SequencerDevice::PositionMicroseconds() const {
  if (FMode != Mode::kPlaying) {
    return FPosition;
  }
  if (FFinished) {
    return FPlayTo;
  }
  return std::min(FPlayFrom + FSynthesizer.PlayedMicroseconds(), FPlayTo);
}

std::uint64_t SequencerDevice::LengthMilliseconds() const {
  return FSong->LengthMicroseconds() / 1000;
}

// The length in milliseconds stands for the whole song, its last fraction of a millisecond too.
std::uint64_t SequencerDevice::ToMicroseconds(mm::DWORD milliseconds) const {
  return milliseconds >= LengthMilliseconds() ? FSong->LengthMicroseconds()
                                              : std::uint64_t{milliseconds} * 1000;
}

void SequencerDevice::EndPendingNotification(mm::WPARAM code) {
  Post(FPendingNotification.exchange(0), code);
}

void SequencerDevice::Post(toolkit::WindowHandle window, mm::WPARAM code) const {
  if (window != 0) {
    toolkit::postMessage(window, mm::MM_MCINOTIFY, code, static_cast<std::intptr_t>(FId));
  }
}

// Audio thread.
void SequencerDevice::OnFinished() {
  {
    std::lock_guard lock(FFinishedMutex);
    FFinished = true;
  }
  FFinishedSignal.notify_all();
  EndPendingNotification(mm::MCI_NOTIFY_SUCCESSFUL);
}

}  // namespace sequencer
