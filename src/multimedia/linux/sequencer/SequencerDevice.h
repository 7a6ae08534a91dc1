#pragma once

// One open MCI sequencer device: a song, its mode and position, and the notification that a
// notifying play or resume has asked for. Commands run on the caller's (UI) thread; the end of a
// performance arrives on the audio thread, which only posts the notification to the callback
// window and wakes a waiting play.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "multimedia/linux/sequencer/Song.h"
#include "multimedia/linux/sequencer/Synthesizer.h"
#include "multimedia/mci.h"
#include "toolkit/MessageWindow.h"

namespace sequencer {

class SequencerDevice {
 public:
  SequencerDevice(mm::MCIDEVICEID id, std::shared_ptr<const Song> song, Synthesizer& synthesizer);
  // Silences the device; a pending notification is dropped, never posted late.
  ~SequencerDevice();
  SequencerDevice(const SequencerDevice&) = delete;
  SequencerDevice& operator=(const SequencerDevice&) = delete;

  // Each takes the command's flags and record as mciSendCommandW received them.
  mm::MCIERROR Play(mm::DWORD flags, const mm::MCI_PLAY_PARMS& parms);
  mm::MCIERROR Seek(mm::DWORD flags, const mm::MCI_SEEK_PARMS& parms);
  mm::MCIERROR Pause();
  mm::MCIERROR Resume(mm::DWORD flags, const mm::MCI_GENERIC_PARMS& parms);
  mm::MCIERROR Stop();
  mm::MCIERROR Status(mm::DWORD flags, mm::MCI_STATUS_PARMS& parms);
  mm::MCIERROR GetDevCaps(mm::DWORD flags, mm::MCI_GETDEVCAPS_PARMS& parms) const;
  mm::MCIERROR Set(mm::DWORD flags, const mm::MCI_SET_PARMS& parms) const;

  // Posts the successful notification a command asked for with MCI_NOTIFY.
  void NotifySuccess(mm::DWORD flags, mm::DWORD_PTR callback) const;

 private:
  enum class Mode { kStopped, kPlaying, kPaused };

  // Starts [from, to); MCI_NOTIFY asks for a notification at its end, MCI_WAIT waits for it.
  mm::MCIERROR Perform(std::uint64_t from, std::uint64_t to, mm::DWORD flags,
                       mm::DWORD_PTR callback);
  mm::MCIERROR WaitForEnd();
  bool FinishedWithin(std::chrono::milliseconds timeout);
  // Stops a performance under way; the position stays where it was reached.
  void Interrupt();
  // Takes note of a performance that ended by itself.
  void Refresh();
  std::uint64_t PositionMicroseconds() const;
  std::uint64_t LengthMilliseconds() const;
  std::uint64_t ToMicroseconds(mm::DWORD milliseconds) const;
  void EndPendingNotification(mm::WPARAM code);
  void Post(toolkit::WindowHandle window, mm::WPARAM code) const;
  void OnFinished();

  const mm::MCIDEVICEID FId;
  const std::shared_ptr<const Song> FSong;
  Synthesizer& FSynthesizer;
  Mode FMode = Mode::kStopped;
  std::uint64_t FPosition = 0;
  std::uint64_t FPlayFrom = 0;
  std::uint64_t FPlayTo = 0;

  // Shared with the audio thread.
  std::atomic<toolkit::WindowHandle> FPendingNotification{0};
  std::atomic<bool> FFinished{false};
  // Lock order: the sound output's lock, then the synthesiser's, then this one. The audio thread
  // reports the end holding the other two, so this one is the innermost: nothing else is taken,
  // and the synthesiser is never asked anything, while it is held.
  std::mutex FFinishedMutex;
  std::condition_variable FFinishedSignal;
};

}  // namespace sequencer
