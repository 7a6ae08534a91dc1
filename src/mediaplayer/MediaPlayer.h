#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "mediaplayer/EMCIDeviceError.h"
#include "mediaplayer/MediaPlayerTypes.h"
#include "multimedia/mci.h"
#include "toolkit/MessageWindow.h"

// Drives one MCI device opened on one file. Its own message window is the callback window of
// the commands it sends, and every MM_MCINOTIFY that reaches that window raises OnNotify once.
// The button bar and the video display are not drawn; the bar's options are kept as values.
//
// A written Wait or Notify applies to the next command that uses it; StartPos and EndPos to the
// next Play. Only Open turns a device failure into EMCIDeviceError; other commands leave the
// result code in Error. Commands that need an open device raise EMCIDeviceError without one.
class TMediaPlayer {
 public:
  using TNotifyEvent = std::function<void(TMediaPlayer& Sender)>;

  explicit TMediaPlayer(mm::MciApi& api = mm::SystemMciApi());
  ~TMediaPlayer();
  TMediaPlayer(const TMediaPlayer&) = delete;
  TMediaPlayer& operator=(const TMediaPlayer&) = delete;

  void Open();
  void Close();
  void Play();
  // Pauses a playing device, resumes a paused one, and leaves any other alone.
  void Pause();
  void PauseOnly();
  void Resume();
  // Seeks to the end of the medium; on track-based media, to the next track.
  void Next();
  void Rewind();
  // Opens the device when AutoOpen is on; called once the control's owner has set it up.
  void Loaded();

  // Queried from the device at every read.
  TMPModes Mode();
  std::int32_t Position();
  std::int32_t Length();
  std::int32_t Tracks();
  TMPTimeFormats TimeFormat();
  std::int32_t GetTrackPosition(std::int32_t trackNumber);
  std::int32_t GetTrackLength(std::int32_t trackNumber);
  // Sent to the device at once.
  void SetTimeFormat(TMPTimeFormats value);

  const std::u16string& FileName() const { return FElementName; }
  void SetFileName(const std::u16string& value);
  TMPDeviceTypes DeviceType() const { return FDeviceType; }
  void SetDeviceType(TMPDeviceTypes value) { FDeviceType = value; }
  bool Shareable() const { return FShareable; }
  void SetShareable(bool value) { FShareable = value; }

  void SetWait(bool value);
  void SetNotify(bool value);
  void SetStartPos(std::int32_t value);
  void SetEndPos(std::int32_t value);

  mm::MCIERROR Error() const { return FError; }
  std::u16string ErrorMessage();
  TMPNotifyValues NotifyValue() const { return FNotifyValue; }
  mm::WORD DeviceID() const { return FDeviceID; }
  toolkit::WindowHandle Handle() const { return FWindow.Handle(); }

  // What the last device opened reported; kept after it is closed.
  TMPDevCapsSet Capabilities() const { return FCapabilities; }
  bool CanPlay() const { return FCanPlay; }
  bool CanStep() const { return FCanStep; }
  bool CanEject() const { return FCanEject; }
  bool CanRecord() const { return FCanRecord; }
  bool HasVideo() const { return FHasVideo; }
  std::int32_t Frames() const { return FFrames; }
  void SetFrames(std::int32_t value) { FFrames = value; }
  std::int32_t SourceWidth() const { return FDWidth; }
  std::int32_t SourceHeight() const { return FDHeight; }

  bool AutoEnable() const { return FAutoEnable; }
  void SetAutoEnable(bool value) { FAutoEnable = value; }
  bool AutoOpen() const { return FAutoOpen; }
  void SetAutoOpen(bool value) { FAutoOpen = value; }
  bool AutoRewind() const { return FAutoRewind; }
  void SetAutoRewind(bool value) { FAutoRewind = value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool value) { FVisible = value; }
  TButtonSet EnabledButtons() const { return FEnabledButtons; }
  void SetEnabledButtons(TButtonSet value) { FEnabledButtons = value; }

  const TNotifyEvent& OnNotify() const { return FOnNotify; }
  void SetOnNotify(TNotifyEvent handler) { FOnNotify = std::move(handler); }

 private:
  void RequireOpen() const;
  void BuildWaitDefaultFlags();
  void BuildNotifyDefaultFlags();
  void BuildResumeFlags();
  mm::MCIERROR SendCommand(mm::MCIDEVICEID device, mm::UINT command, void* record);
  mm::DWORD_PTR QueryStatus(mm::DWORD item, bool recordsError);
  mm::DWORD_PTR QueryTrackStatus(mm::DWORD item, std::int32_t trackNumber);
  void ReadDeviceInformation();
  void ReadCapabilities();
  void ReadDisplaySize();
  void NextTrack(mm::DWORD flags);
  void HandleMciNotify(std::uintptr_t code);

  mm::MciApi& FApi;
  TNotifyEvent FOnNotify;
  bool MCIOpened = false;
  TMPDevCapsSet FCapabilities;
  bool FCanPlay = false;
  bool FCanStep = false;
  bool FCanEject = false;
  bool FCanRecord = false;
  bool FHasVideo = false;
  mm::DWORD FFlags = 0;
  bool FWait = false;
  bool FNotify = false;
  bool FUseWait = false;
  bool FUseNotify = false;
  bool FUseFrom = false;
  bool FUseTo = false;
  mm::WORD FDeviceID = 0;
  TMPDeviceTypes FDeviceType = dtAutoSelect;
  std::int32_t FTo = 0;
  std::int32_t FFrom = 0;
  std::int32_t FFrames = 0;
  mm::MCIERROR FError = 0;
  TMPNotifyValues FNotifyValue = nvSuccessful;
  std::int32_t FDWidth = 0;
  std::int32_t FDHeight = 0;
  std::u16string FElementName;
  bool FAutoEnable = true;
  bool FAutoOpen = false;
  bool FAutoRewind = true;
  bool FShareable = false;
  bool FVisible = true;
  TButtonSet FEnabledButtons;
  toolkit::MessageWindow FWindow;
};
