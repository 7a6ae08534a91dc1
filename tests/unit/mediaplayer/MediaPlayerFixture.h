#pragma once

#include <gtest/gtest.h>

#include <string>

#include "MciCalls.h"
#include "mediaplayer/MediaPlayer.h"
#include "support/RecordingMciApi.h"

// The control on the recording device, with the options the player's window gives it.
class MediaPlayerTest : public ::testing::Test {
 protected:
  static constexpr mm::MCIDEVICEID kDevice = 1;
  static constexpr char16_t kFile[] = u"/home/user/Documents/test/test.mid";

  MediaPlayerTest() {
    player.SetAutoEnable(false);
    player.SetAutoRewind(false);
    player.SetVisible(false);
    player.SetEnabledButtons({btNext});
  }

  // Opens the player's file on device kDevice and forgets the commands that took.
  void OpenPlayersFile() {
    player.SetFileName(kFile);
    player.Open();
    api.ClearCalls();
  }

  void SetMode(mm::DWORD mode) { api.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mode); }

  toolkit::WindowHandle Window() const { return player.Handle(); }

  RecordingMciApi api;
  TMediaPlayer player{api};
};
