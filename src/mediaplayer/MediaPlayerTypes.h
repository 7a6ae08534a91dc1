#pragma once

#include <cstdint>

#include "mediaplayer/EnumSet.h"

// The media player's enumerations. Each is numbered from 0 in the order given; where a value
// stands for an MCI value, the order is the MCI's.

// The buttons of the player's bar.
enum TMPBtnType : std::uint8_t {
  btPlay,
  btPause,
  btStop,
  btNext,
  btPrev,
  btStep,
  btBack,
  btRecord,
  btEject
};
using TButtonSet = EnumSet<TMPBtnType>;

// MCI_MODE_NOT_READY (524) to MCI_MODE_OPEN (530). A device may answer other values: the
// underlying byte holds whatever the device reported.
enum TMPModes : std::uint8_t {
  mpNotReady,
  mpStopped,
  mpPlaying,
  mpRecording,
  mpSeeking,
  mpPaused,
  mpOpen
};

// MCI_NOTIFY_SUCCESSFUL (1), MCI_NOTIFY_SUPERSEDED (2), MCI_NOTIFY_ABORTED (4),
// MCI_NOTIFY_FAILURE (8).
enum TMPNotifyValues : std::uint8_t { nvSuccessful, nvSuperseded, nvAborted, nvFailure };

// MCI_FORMAT_MILLISECONDS (0) to MCI_FORMAT_TMSF (10).
enum TMPTimeFormats : std::uint8_t {
  tfMilliseconds,
  tfHMS,
  tfMSF,
  tfFrames,
  tfSMPTE24,
  tfSMPTE25,
  tfSMPTE30,
  tfSMPTE30Drop,
  tfBytes,
  tfSamples,
  tfTMSF
};

enum TMPDevCaps : std::uint8_t { mpCanStep, mpCanEject, mpCanPlay, mpCanRecord, mpUsesWindow };
using TMPDevCapsSet = EnumSet<TMPDevCaps>;

// The device to open; dtAutoSelect lets the system choose by the file's extension.
enum TMPDeviceTypes : std::uint8_t {
  dtAutoSelect,
  dtAVIVideo,
  dtCDAudio,
  dtDAT,
  dtDigitalVideo,
  dtMMMovie,
  dtOther,
  dtOverlay,
  dtScanner,
  dtSequencer,
  dtVCR,
  dtVideodisc,
  dtWaveAudio
};
