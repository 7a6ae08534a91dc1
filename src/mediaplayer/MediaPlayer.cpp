#include "mediaplayer/MediaPlayer.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

// Indexed by TMPDeviceTypes; dtAutoSelect names no type.
constexpr std::array<mm::LPCWSTR, 13> kDeviceTypeNames{
    u"",        u"AVIVideo", u"CDAudio",   u"DAT", u"DigitalVideo", u"MMMovie",  u"Other",
    u"Overlay", u"Scanner",  u"Sequencer", u"VCR", u"Videodisc",    u"WaveAudio"};

constexpr std::u16string_view kNoDevice = u"MCI デバイスがありません";
constexpr std::u16string_view kUnknownError = u"原因不明のエラー";

constexpr std::size_t kErrorTextLength = 4096;

// MCI answers 32-bit values in pointer-sized fields; the control's figures are signed 32-bit.
std::int32_t ToInt32(mm::DWORD_PTR value) {
  return static_cast<std::int32_t>(static_cast<mm::DWORD>(value));
}

// Wraps instead of overflowing on whatever rectangle a device reports.
std::int32_t Extent(mm::LONG low, mm::LONG high) {
  return static_cast<std::int32_t>(static_cast<mm::DWORD>(high) - static_cast<mm::DWORD>(low));
}

bool LowByteSet(mm::DWORD value) {
  return (value & 0xFFu) != 0;
}

}  // namespace

TMediaPlayer::TMediaPlayer(mm::MciApi& api)
    : FApi(api), FWindow([this](std::uint32_t msg, std::uintptr_t wParam, std::intptr_t) {
        if (msg == mm::MM_MCINOTIFY) {
          HandleMciNotify(wParam);
        }
      }) {}

TMediaPlayer::~TMediaPlayer() {
  if (FDeviceID != 0) {
    FFlags = mm::MCI_WAIT;
    mm::MCI_GENERIC_PARMS generic{};
    SendCommand(FDeviceID, mm::MCI_CLOSE, &generic);
  }
}

void TMediaPlayer::Open() {
  if (MCIOpened) {
    Close();
  }
  mm::MCI_OPEN_PARMSW open{};
  open.dwCallback = Handle();
  open.lpstrDeviceType = kDeviceTypeNames.at(FDeviceType);
  open.lpstrElementName = FElementName.c_str();
  BuildWaitDefaultFlags();
  FFlags |= FDeviceType == dtAutoSelect ? mm::MCI_OPEN_ELEMENT : mm::MCI_OPEN_TYPE;
  if (!FElementName.empty()) {
    FFlags |= mm::MCI_OPEN_ELEMENT;
  }
  if (FShareable) {
    FFlags |= mm::MCI_OPEN_SHAREABLE;
  }
  FError = SendCommand(0, mm::MCI_OPEN, &open);
  if (FError != 0) {
    throw EMCIDeviceError(ErrorMessage());
  }
  MCIOpened = true;
  FDeviceID = static_cast<mm::WORD>(open.wDeviceID);
  ReadDeviceInformation();
}

void TMediaPlayer::Close() {
  if (FDeviceID == 0) {
    return;
  }
  BuildWaitDefaultFlags();
  mm::MCI_GENERIC_PARMS generic{};
  generic.dwCallback = Handle();
  FError = SendCommand(FDeviceID, mm::MCI_CLOSE, &generic);
  if (FError == 0) {
    MCIOpened = false;
    FDeviceID = 0;
  }
}

void TMediaPlayer::Play() {
  RequireOpen();
  if (FAutoRewind) {
    const std::int32_t position = Position();
    const std::int32_t length = Length();
    if (position == length && !FUseFrom && !FUseTo) {
      Rewind();
    }
  }
  BuildNotifyDefaultFlags();
  mm::MCI_PLAY_PARMS play{};
  if (FUseFrom) {
    FFlags |= mm::MCI_FROM;
    play.dwFrom = static_cast<mm::DWORD>(FFrom);
    FUseFrom = false;
  }
  if (FUseTo) {
    FFlags |= mm::MCI_TO;
    play.dwTo = static_cast<mm::DWORD>(FTo);
    FUseTo = false;
  }
  play.dwCallback = Handle();
  FError = SendCommand(FDeviceID, mm::MCI_PLAY, &play);
}

void TMediaPlayer::Pause() {
  RequireOpen();
  if (Mode() == mpPlaying) {
    PauseOnly();
    return;
  }
  if (Mode() == mpPaused) {
    Resume();
  }
}

void TMediaPlayer::PauseOnly() {
  RequireOpen();
  BuildWaitDefaultFlags();
  mm::MCI_GENERIC_PARMS generic{};
  generic.dwCallback = Handle();
  FError = SendCommand(FDeviceID, mm::MCI_PAUSE, &generic);
}

void TMediaPlayer::Resume() {
  RequireOpen();
  BuildResumeFlags();
  mm::MCI_GENERIC_PARMS generic{};
  generic.dwCallback = Handle();
  FError = SendCommand(FDeviceID, mm::MCI_RESUME, &generic);
  if (FError != 0) {
    // Devices without MCI_RESUME play on from where they were paused; Play takes the written
    // Wait and Notify.
    Play();
    return;
  }
  FUseNotify = false;
  FUseWait = false;
}

void TMediaPlayer::Next() {
  RequireOpen();
  BuildWaitDefaultFlags();
  const mm::DWORD flags = FFlags;  // the queries below build their own
  if (TimeFormat() == tfTMSF) {
    NextTrack(flags);
    return;
  }
  FFlags = flags | mm::MCI_SEEK_TO_END;
  mm::MCI_SEEK_PARMS seek{};
  seek.dwCallback = Handle();
  FError = SendCommand(FDeviceID, mm::MCI_SEEK, &seek);
}

void TMediaPlayer::NextTrack(mm::DWORD flags) {
  const std::int32_t track = Position() & 0xFF;
  const std::int32_t target = GetTrackPosition(track == Tracks() ? track : track + 1);
  if (Mode() == mpPlaying) {
    SetStartPos(target);
    Play();
    return;
  }
  FFlags = flags | mm::MCI_TO;
  mm::MCI_SEEK_PARMS seek{};
  seek.dwCallback = Handle();
  seek.dwTo = static_cast<mm::DWORD>(target);
  FError = SendCommand(FDeviceID, mm::MCI_SEEK, &seek);
}

void TMediaPlayer::Rewind() {
  RequireOpen();
  FFlags = mm::MCI_WAIT | mm::MCI_SEEK_TO_START;
  mm::MCI_SEEK_PARMS seek{};
  SendCommand(FDeviceID, mm::MCI_SEEK, &seek);
}

void TMediaPlayer::Loaded() {
  if (FAutoOpen) {
    Open();
  }
}

TMPModes TMediaPlayer::Mode() {
  const mm::DWORD_PTR mode = QueryStatus(mm::MCI_STATUS_MODE, true);
  return static_cast<TMPModes>((mode - mm::MCI_MODE_NOT_READY) & 0xFFu);
}

std::int32_t TMediaPlayer::Position() {
  return ToInt32(QueryStatus(mm::MCI_STATUS_POSITION, true));
}

std::int32_t TMediaPlayer::Length() {
  RequireOpen();
  return ToInt32(QueryStatus(mm::MCI_STATUS_LENGTH, true));
}

std::int32_t TMediaPlayer::Tracks() {
  RequireOpen();
  return ToInt32(QueryStatus(mm::MCI_STATUS_NUMBER_OF_TRACKS, true));
}

TMPTimeFormats TMediaPlayer::TimeFormat() {
  RequireOpen();
  return static_cast<TMPTimeFormats>(QueryStatus(mm::MCI_STATUS_TIME_FORMAT, true) & 0xFFu);
}

std::int32_t TMediaPlayer::GetTrackPosition(std::int32_t trackNumber) {
  return ToInt32(QueryTrackStatus(mm::MCI_STATUS_POSITION, trackNumber));
}

std::int32_t TMediaPlayer::GetTrackLength(std::int32_t trackNumber) {
  RequireOpen();
  return ToInt32(QueryTrackStatus(mm::MCI_STATUS_LENGTH, trackNumber));
}

// Asks for no notification: a notifying MCI_SET would supersede the notification of a pending
// play, the one event a caller waits for to learn that a piece has ended.
void TMediaPlayer::SetTimeFormat(TMPTimeFormats value) {
  FFlags = mm::MCI_SET_TIME_FORMAT;
  mm::MCI_SET_PARMS set{};
  set.dwTimeFormat = value;
  FError = SendCommand(FDeviceID, mm::MCI_SET, &set);
}

void TMediaPlayer::SetFileName(const std::u16string& value) {
  FElementName = value;
}

void TMediaPlayer::SetWait(bool value) {
  FWait = value;
  FUseWait = true;
}

void TMediaPlayer::SetNotify(bool value) {
  FNotify = value;
  FUseNotify = true;
}

void TMediaPlayer::SetStartPos(std::int32_t value) {
  FFrom = value;
  FUseFrom = true;
}

void TMediaPlayer::SetEndPos(std::int32_t value) {
  FTo = value;
  FUseTo = true;
}

std::u16string TMediaPlayer::ErrorMessage() {
  std::array<mm::WCHAR, kErrorTextLength> text{};
  if (FApi.mciGetErrorStringW(FError, text.data(), static_cast<mm::UINT>(text.size())) ==
      mm::FALSE) {
    return std::u16string(kUnknownError);
  }
  const std::u16string_view written(text.data(), text.size());
  return std::u16string(written.substr(0, written.find(u'\0')));
}

void TMediaPlayer::RequireOpen() const {
  if (!MCIOpened) {
    throw EMCIDeviceError(std::u16string(kNoDevice));
  }
}

// Wait unless told otherwise; notify only when told.
void TMediaPlayer::BuildWaitDefaultFlags() {
  FFlags = 0;
  if (!FUseWait || FWait) {
    FFlags |= mm::MCI_WAIT;
  }
  FUseWait = false;
  if (FUseNotify && FNotify) {
    FFlags |= mm::MCI_NOTIFY;
  }
  FUseNotify = false;
}

// Notify unless told otherwise; wait only when told.
void TMediaPlayer::BuildNotifyDefaultFlags() {
  FFlags = 0;
  if (!FUseNotify || FNotify) {
    FFlags |= mm::MCI_NOTIFY;
  }
  FUseNotify = false;
  if (FUseWait && FWait) {
    FFlags |= mm::MCI_WAIT;
  }
  FUseWait = false;
}

// As the notify default, but the written values stay for the fallback Play until the resume
// has succeeded.
void TMediaPlayer::BuildResumeFlags() {
  FFlags = 0;
  if (!FUseNotify || FNotify) {
    FFlags |= mm::MCI_NOTIFY;
  }
  if (FUseWait && FWait) {
    FFlags |= mm::MCI_WAIT;
  }
}

mm::MCIERROR TMediaPlayer::SendCommand(mm::MCIDEVICEID device, mm::UINT command, void* record) {
  return FApi.mciSendCommandW(device, command, FFlags, reinterpret_cast<mm::DWORD_PTR>(record));
}

mm::DWORD_PTR TMediaPlayer::QueryStatus(mm::DWORD item, bool recordsError) {
  FFlags = mm::MCI_WAIT | mm::MCI_STATUS_ITEM;
  mm::MCI_STATUS_PARMS status{};
  status.dwItem = item;
  const mm::MCIERROR result = SendCommand(FDeviceID, mm::MCI_STATUS, &status);
  if (recordsError) {
    FError = result;
  }
  return status.dwReturn;
}

mm::DWORD_PTR TMediaPlayer::QueryTrackStatus(mm::DWORD item, std::int32_t trackNumber) {
  FFlags = mm::MCI_WAIT | mm::MCI_STATUS_ITEM | mm::MCI_TRACK;
  mm::MCI_STATUS_PARMS status{};
  status.dwItem = item;
  status.dwTrack = static_cast<mm::DWORD>(trackNumber);
  SendCommand(FDeviceID, mm::MCI_STATUS, &status);
  return status.dwReturn;
}

void TMediaPlayer::ReadDeviceInformation() {
  FFrames = Length() / 10;
  ReadCapabilities();
  ReadDisplaySize();
  if (FDeviceType == dtCDAudio || FDeviceType == dtVideodisc) {
    SetTimeFormat(tfTMSF);
  }
  // The button bar's refresh reads the mode; Error keeps the device's answer.
  Mode();
}

// Capabilities and FCanStep only ever gain members: what one device could do stays listed after
// another is opened.
void TMediaPlayer::ReadCapabilities() {
  FFlags = mm::MCI_WAIT | mm::MCI_GETDEVCAPS_ITEM;
  mm::MCI_GETDEVCAPS_PARMS caps{};
  const auto ask = [this, &caps](mm::DWORD item) {
    caps.dwItem = item;
    SendCommand(FDeviceID, mm::MCI_GETDEVCAPS, &caps);
    return caps.dwReturn;
  };
  const auto record = [this](bool& field, bool value, TMPDevCaps capability) {
    field = value;
    if (value) {
      FCapabilities.Include(capability);
    }
  };
  record(FCanPlay, LowByteSet(ask(mm::MCI_GETDEVCAPS_CAN_PLAY)), mpCanPlay);
  record(FCanRecord, LowByteSet(ask(mm::MCI_GETDEVCAPS_CAN_RECORD)), mpCanRecord);
  record(FCanEject, LowByteSet(ask(mm::MCI_GETDEVCAPS_CAN_EJECT)), mpCanEject);
  record(FHasVideo, LowByteSet(ask(mm::MCI_GETDEVCAPS_HAS_VIDEO)), mpUsesWindow);
  switch (ask(mm::MCI_GETDEVCAPS_DEVICE_TYPE)) {
    case mm::MCI_DEVTYPE_VCR:
    case mm::MCI_DEVTYPE_VIDEODISC:
    case mm::MCI_DEVTYPE_OVERLAY:
    case mm::MCI_DEVTYPE_DIGITAL_VIDEO:
      FCanStep = true;
      break;
    default:
      break;
  }
  if (FCanStep) {
    FCapabilities.Include(mpCanStep);
  }
}

// Sent to every device, with video or without.
void TMediaPlayer::ReadDisplaySize() {
  FFlags = mm::MCI_DGV_WHERE_SOURCE;
  mm::MCI_DGV_RECT_PARMS where{};
  FError = SendCommand(FDeviceID, mm::MCI_WHERE, &where);
  FDWidth = Extent(where.rc.left, where.rc.right);
  FDHeight = Extent(where.rc.top, where.rc.bottom);
}

// Every notification raises OnNotify, whatever its code or device: the device decides what
// it reports, and the owner decides what that means.
void TMediaPlayer::HandleMciNotify(std::uintptr_t code) {
  if (FAutoEnable) {
    // The button bar would follow a stopped device; the query stays so Error reads the same.
    Mode();
  }
  switch (code) {
    case mm::MCI_NOTIFY_SUCCESSFUL:
      FNotifyValue = nvSuccessful;
      break;
    case mm::MCI_NOTIFY_SUPERSEDED:
      FNotifyValue = nvSuperseded;
      break;
    case mm::MCI_NOTIFY_ABORTED:
      FNotifyValue = nvAborted;
      break;
    case mm::MCI_NOTIFY_FAILURE:
      FNotifyValue = nvFailure;
      break;
    default:
      break;
  }
  if (FOnNotify) {
    // A copy: the handler may replace itself.
    const TNotifyEvent handler = FOnNotify;
    handler(*this);
  }
}
