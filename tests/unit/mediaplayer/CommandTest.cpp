#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "MciCalls.h"
#include "MediaPlayerFixture.h"

namespace {

using calls::kNotifyFlags;
using calls::kWaitFlags;

constexpr mm::DWORD_PTR kSeekToEnd = mm::MCI_WAIT | mm::MCI_SEEK_TO_END;

TEST_F(MediaPlayerTest, PlayAsksForANotificationAndRecordsItsResult) {
  OpenPlayersFile();
  api.SetResult(mm::MCI_PLAY, mm::MCIERR_HARDWARE);

  player.Play();

  EXPECT_EQ(api.Calls(), (std::vector<MciCall>{calls::Play(kDevice, Window(), 0x0001)}));
  EXPECT_EQ(player.Error(), mm::MCIERR_HARDWARE);
}

struct WrittenOption {
  const char* name;
  std::function<void(TMediaPlayer&)> write;
  mm::DWORD_PTR firstPlayFlags;
};

void PrintTo(const WrittenOption& option, std::ostream* out) {
  *out << option.name;
}

class PlayWithWrittenOption : public MediaPlayerTest,
                              public ::testing::WithParamInterface<WrittenOption> {};

TEST_P(PlayWithWrittenOption, AppliesToOnePlayOnly) {
  OpenPlayersFile();
  GetParam().write(player);

  player.Play();
  player.Play();

  EXPECT_EQ(api.Calls(),
            (std::vector<MciCall>{calls::Play(kDevice, Window(), GetParam().firstPlayFlags),
                                  calls::Play(kDevice, Window())}));
}

INSTANTIATE_TEST_SUITE_P(
    MediaPlayerTest, PlayWithWrittenOption,
    ::testing::Values(
        WrittenOption{"NotifyFalse", [](TMediaPlayer& p) { p.SetNotify(false); }, 0},
        WrittenOption{"NotifyTrue", [](TMediaPlayer& p) { p.SetNotify(true); }, kNotifyFlags},
        WrittenOption{"WaitTrue", [](TMediaPlayer& p) { p.SetWait(true); },
                      mm::MCI_NOTIFY | mm::MCI_WAIT},
        WrittenOption{"WaitFalse", [](TMediaPlayer& p) { p.SetWait(false); }, kNotifyFlags}));

TEST_F(MediaPlayerTest, StartAndEndPositionsApplyToTheNextPlayOnly) {
  OpenPlayersFile();
  player.SetStartPos(100);
  player.SetEndPos(900);

  player.Play();
  player.Play();

  EXPECT_EQ(api.Calls(),
            (std::vector<MciCall>{calls::Play(kDevice, Window(),
                                              mm::MCI_NOTIFY | mm::MCI_FROM | mm::MCI_TO, 100, 900),
                                  calls::Play(kDevice, Window())}));
}

struct RewindCase {
  const char* name;
  mm::DWORD position;
  bool startPosWritten;
  bool rewinds;
};

void PrintTo(const RewindCase& rewind, std::ostream* out) {
  *out << rewind.name;
}

class AutoRewind : public MediaPlayerTest, public ::testing::WithParamInterface<RewindCase> {};

TEST_P(AutoRewind, RewindsOnlyAtTheEndWithoutWrittenPositions) {
  player.SetAutoRewind(true);
  OpenPlayersFile();
  api.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_POSITION, GetParam().position);
  api.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_LENGTH, 5000);
  if (GetParam().startPosWritten) {
    player.SetStartPos(0);
  }

  player.Play();

  std::vector<MciCall> expected{calls::Status(kDevice, mm::MCI_STATUS_POSITION),
                                calls::Status(kDevice, mm::MCI_STATUS_LENGTH)};
  if (GetParam().rewinds) {
    expected.push_back(calls::Seek(kDevice, 0, mm::MCI_WAIT | mm::MCI_SEEK_TO_START));
  }
  expected.push_back(
      calls::Play(kDevice, Window(),
                  GetParam().startPosWritten ? mm::MCI_NOTIFY | mm::MCI_FROM : kNotifyFlags));
  EXPECT_EQ(api.Calls(), expected);
}

INSTANTIATE_TEST_SUITE_P(MediaPlayerTest, AutoRewind,
                         ::testing::Values(RewindCase{"AtTheEnd", 5000, false, true},
                                           RewindCase{"BeforeTheEnd", 4999, false, false},
                                           RewindCase{"AtTheEndWithStartPos", 5000, true, false}));

TEST_F(MediaPlayerTest, PauseWhilePlayingPauses) {
  OpenPlayersFile();
  SetMode(mm::MCI_MODE_PLAY);
  api.SetResult(mm::MCI_PAUSE, mm::MCIERR_HARDWARE);

  player.Pause();

  EXPECT_EQ(api.Calls(),
            (std::vector<MciCall>{calls::Status(kDevice, mm::MCI_STATUS_MODE),
                                  calls::Generic(kDevice, mm::MCI_PAUSE, kWaitFlags, Window())}));
  EXPECT_EQ(player.Error(), mm::MCIERR_HARDWARE);
}

TEST_F(MediaPlayerTest, PauseWhilePausedResumesWithANotification) {
  OpenPlayersFile();
  SetMode(mm::MCI_MODE_PAUSE);

  player.Pause();

  EXPECT_EQ(api.Calls(), (std::vector<MciCall>{
                             calls::Status(kDevice, mm::MCI_STATUS_MODE),
                             calls::Status(kDevice, mm::MCI_STATUS_MODE),
                             calls::Generic(kDevice, mm::MCI_RESUME, kNotifyFlags, Window())}));
  EXPECT_EQ(player.Error(), 0u);
}

class PauseInOtherModes : public MediaPlayerTest,
                          public ::testing::WithParamInterface<mm::DWORD> {};

TEST_P(PauseInOtherModes, OnlyAsksForTheModeTwice) {
  OpenPlayersFile();
  SetMode(GetParam());
  api.QueueResult(mm::MCI_STATUS, mm::MCIERR_HARDWARE);
  api.QueueResult(mm::MCI_STATUS, 0);

  player.Pause();

  EXPECT_EQ(api.Calls(), (std::vector<MciCall>{calls::Status(kDevice, mm::MCI_STATUS_MODE),
                                               calls::Status(kDevice, mm::MCI_STATUS_MODE)}));
  EXPECT_EQ(player.Error(), 0u) << "the second mode query's result";
}

INSTANTIATE_TEST_SUITE_P(MediaPlayerTest, PauseInOtherModes,
                         ::testing::Values(mm::MCI_MODE_NOT_READY, mm::MCI_MODE_STOP,
                                           mm::MCI_MODE_RECORD, mm::MCI_MODE_SEEK,
                                           mm::MCI_MODE_OPEN, 0u, 600u));

TEST_F(MediaPlayerTest, RefusedResumeFallsBackToOneNotifyingPlay) {
  OpenPlayersFile();
  SetMode(mm::MCI_MODE_PAUSE);
  api.SetResult(mm::MCI_RESUME, mm::MCIERR_UNSUPPORTED_FUNCTION);
  api.SetResult(mm::MCI_PLAY, mm::MCIERR_HARDWARE);

  player.Pause();

  const std::vector<MciCall> expected{
      calls::Status(kDevice, mm::MCI_STATUS_MODE), calls::Status(kDevice, mm::MCI_STATUS_MODE),
      calls::Generic(kDevice, mm::MCI_RESUME, kNotifyFlags, Window()),
      calls::Play(kDevice, Window())};
  EXPECT_EQ(api.Calls(), expected);
  EXPECT_EQ(player.Error(), mm::MCIERR_HARDWARE);
}

TEST_F(MediaPlayerTest, RefusedResumeLeavesTheWrittenFlagsToTheFallbackPlay) {
  OpenPlayersFile();
  api.SetResult(mm::MCI_RESUME, mm::MCIERR_UNSUPPORTED_FUNCTION);
  player.SetNotify(false);
  player.SetWait(true);

  player.Resume();
  player.Play();

  EXPECT_EQ(api.Calls(),
            (std::vector<MciCall>{calls::Generic(kDevice, mm::MCI_RESUME, kWaitFlags, Window()),
                                  calls::Play(kDevice, Window(), kWaitFlags),
                                  calls::Play(kDevice, Window())}));
}

TEST_F(MediaPlayerTest, SuccessfulResumeConsumesTheWrittenFlags) {
  OpenPlayersFile();
  player.SetWait(true);

  player.Resume();
  player.Resume();

  EXPECT_EQ(api.Calls(),
            (std::vector<MciCall>{
                calls::Generic(kDevice, mm::MCI_RESUME, mm::MCI_NOTIFY | mm::MCI_WAIT, Window()),
                calls::Generic(kDevice, mm::MCI_RESUME, kNotifyFlags, Window())}));
}

TEST_F(MediaPlayerTest, NextAsksForTheTimeFormatThenSeeksToTheEnd) {
  OpenPlayersFile();
  api.SetResult(mm::MCI_SEEK, mm::MCIERR_HARDWARE);

  player.Next();

  EXPECT_EQ(api.Calls(), (std::vector<MciCall>{calls::Status(kDevice, mm::MCI_STATUS_TIME_FORMAT),
                                               calls::Seek(kDevice, Window(), kSeekToEnd)}));
  EXPECT_EQ(player.Error(), mm::MCIERR_HARDWARE);
}

TEST_F(MediaPlayerTest, NextConsumesWrittenWaitAndNotify) {
  OpenPlayersFile();
  player.SetNotify(true);
  player.SetWait(false);

  player.Next();
  player.Next();

  const auto timeFormat = calls::Status(kDevice, mm::MCI_STATUS_TIME_FORMAT);
  EXPECT_EQ(api.Calls(),
            (std::vector<MciCall>{
                timeFormat, calls::Seek(kDevice, Window(), mm::MCI_NOTIFY | mm::MCI_SEEK_TO_END),
                timeFormat, calls::Seek(kDevice, Window(), kSeekToEnd)}));
}

struct TrackCase {
  const char* name;
  mm::DWORD mode;
  mm::DWORD currentTrack;
  mm::DWORD targetTrack;
};

void PrintTo(const TrackCase& track, std::ostream* out) {
  *out << track.name;
}

class NextOnTrackMedia : public MediaPlayerTest, public ::testing::WithParamInterface<TrackCase> {};

// Tracks are packed into the low byte of a TMSF position.
TEST_P(NextOnTrackMedia, PlaysOrSeeksFromTheNextTrack) {
  constexpr mm::DWORD kTrackStart = 0x00012003;
  OpenPlayersFile();
  SetMode(GetParam().mode);
  api.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_TIME_FORMAT, mm::MCI_FORMAT_TMSF);
  api.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_NUMBER_OF_TRACKS, 5);
  api.QueueReturn(mm::MCI_STATUS, mm::MCI_STATUS_POSITION, 0x00302000 | GetParam().currentTrack);
  api.QueueReturn(mm::MCI_STATUS, mm::MCI_STATUS_POSITION, kTrackStart);

  player.Next();

  std::vector<MciCall> expected{
      calls::Status(kDevice, mm::MCI_STATUS_TIME_FORMAT),
      calls::Status(kDevice, mm::MCI_STATUS_POSITION),
      calls::Status(kDevice, mm::MCI_STATUS_NUMBER_OF_TRACKS),
      calls::TrackStatus(kDevice, mm::MCI_STATUS_POSITION, GetParam().targetTrack),
      calls::Status(kDevice, mm::MCI_STATUS_MODE)};
  if (GetParam().mode == mm::MCI_MODE_PLAY) {
    expected.push_back(calls::Play(kDevice, Window(), mm::MCI_NOTIFY | mm::MCI_FROM, kTrackStart));
  } else {
    expected.push_back(calls::Seek(kDevice, Window(), mm::MCI_WAIT | mm::MCI_TO, kTrackStart));
  }
  EXPECT_EQ(api.Calls(), expected);
}

INSTANTIATE_TEST_SUITE_P(MediaPlayerTest, NextOnTrackMedia,
                         ::testing::Values(TrackCase{"PlayingTrack2", mm::MCI_MODE_PLAY, 2, 3},
                                           TrackCase{"StoppedTrack2", mm::MCI_MODE_STOP, 2, 3},
                                           TrackCase{"PlayingLastTrack", mm::MCI_MODE_PLAY, 5, 5},
                                           TrackCase{"PausedLastTrack", mm::MCI_MODE_PAUSE, 5, 5}));

struct ClosedCommand {
  const char* name;
  std::function<void(TMediaPlayer&)> run;
};

void PrintTo(const ClosedCommand& command, std::ostream* out) {
  *out << command.name;
}

class OnAClosedControl : public MediaPlayerTest,
                         public ::testing::WithParamInterface<ClosedCommand> {};

TEST_P(OnAClosedControl, RaisesNoDeviceAndSendsNothing) {
  try {
    GetParam().run(player);
    FAIL() << GetParam().name << " did not raise";
  } catch (const EMCIDeviceError& error) {
    EXPECT_EQ(error.Message(), u"MCI デバイスがありません");
  }
  EXPECT_TRUE(api.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    MediaPlayerTest, OnAClosedControl,
    ::testing::Values(ClosedCommand{"Play", [](TMediaPlayer& p) { p.Play(); }},
                      ClosedCommand{"Pause", [](TMediaPlayer& p) { p.Pause(); }},
                      ClosedCommand{"PauseOnly", [](TMediaPlayer& p) { p.PauseOnly(); }},
                      ClosedCommand{"Resume", [](TMediaPlayer& p) { p.Resume(); }},
                      ClosedCommand{"Next", [](TMediaPlayer& p) { p.Next(); }},
                      ClosedCommand{"Rewind", [](TMediaPlayer& p) { p.Rewind(); }},
                      ClosedCommand{"Length", [](TMediaPlayer& p) { p.Length(); }},
                      ClosedCommand{"Tracks", [](TMediaPlayer& p) { p.Tracks(); }},
                      ClosedCommand{"TimeFormat", [](TMediaPlayer& p) { p.TimeFormat(); }},
                      ClosedCommand{"GetTrackLength",
                                    [](TMediaPlayer& p) { p.GetTrackLength(1); }}));

struct Bookkeeping {
  const char* name;
  mm::UINT command;
  std::function<void(TMediaPlayer&)> run;
  bool records;
};

void PrintTo(const Bookkeeping& bookkeeping, std::ostream* out) {
  *out << bookkeeping.name;
}

class ErrorBookkeeping : public MediaPlayerTest,
                         public ::testing::WithParamInterface<Bookkeeping> {};

TEST_P(ErrorBookkeeping, RecordsTheResultOnlyWhereDue) {
  OpenPlayersFile();
  api.SetResult(GetParam().command, mm::MCIERR_HARDWARE);

  GetParam().run(player);

  EXPECT_EQ(player.Error(), GetParam().records ? mm::MCIERR_HARDWARE : 0u) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    MediaPlayerTest, ErrorBookkeeping,
    ::testing::Values(
        Bookkeeping{"Mode", mm::MCI_STATUS, [](TMediaPlayer& p) { p.Mode(); }, true},
        Bookkeeping{"Position", mm::MCI_STATUS, [](TMediaPlayer& p) { p.Position(); }, true},
        Bookkeeping{"Length", mm::MCI_STATUS, [](TMediaPlayer& p) { p.Length(); }, true},
        Bookkeeping{"Tracks", mm::MCI_STATUS, [](TMediaPlayer& p) { p.Tracks(); }, true},
        Bookkeeping{"TimeFormat", mm::MCI_STATUS, [](TMediaPlayer& p) { p.TimeFormat(); }, true},
        Bookkeeping{"SetTimeFormat", mm::MCI_SET, [](TMediaPlayer& p) { p.SetTimeFormat(tfMSF); },
                    true},
        Bookkeeping{"PauseOnly", mm::MCI_PAUSE, [](TMediaPlayer& p) { p.PauseOnly(); }, true},
        Bookkeeping{"Close", mm::MCI_CLOSE, [](TMediaPlayer& p) { p.Close(); }, true},
        Bookkeeping{"GetTrackPosition", mm::MCI_STATUS,
                    [](TMediaPlayer& p) { p.GetTrackPosition(2); }, false},
        Bookkeeping{"GetTrackLength", mm::MCI_STATUS, [](TMediaPlayer& p) { p.GetTrackLength(2); },
                    false},
        Bookkeeping{"Rewind", mm::MCI_SEEK, [](TMediaPlayer& p) { p.Rewind(); }, false}));

TEST_F(MediaPlayerTest, StatusQueriesTranslateTheDevicesAnswers) {
  OpenPlayersFile();
  api.QueueReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PLAY);
  api.QueueReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_OPEN);
  api.QueueReturn(mm::MCI_STATUS, mm::MCI_STATUS_TIME_FORMAT, mm::MCI_FORMAT_TMSF);
  api.QueueReturn(mm::MCI_STATUS, mm::MCI_STATUS_TIME_FORMAT, 0x100 + mm::MCI_FORMAT_BYTES);
  api.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_POSITION, 0xFFFFFFFF);
  api.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_NUMBER_OF_TRACKS, 12);

  EXPECT_EQ(player.Mode(), mpPlaying);
  EXPECT_EQ(player.Mode(), mpOpen);
  EXPECT_EQ(player.TimeFormat(), tfTMSF);
  EXPECT_EQ(player.TimeFormat(), tfBytes);
  EXPECT_EQ(player.Position(), -1);
  EXPECT_EQ(player.Tracks(), 12);
}

// A notifying MCI_SET would supersede the notification of a pending play, so the time format
// goes out without one; like the device's own queries it needs no open device.
TEST_F(MediaPlayerTest, WritingTheTimeFormatSendsItAtOnceWithoutNotification) {
  api.SetResult(mm::MCI_SET, mm::MCIERR_INVALID_DEVICE_ID);
  player.SetTimeFormat(tfSMPTE30);
  EXPECT_EQ(api.Calls(), (std::vector<MciCall>{calls::SetTimeFormat(0, mm::MCI_FORMAT_SMPTE_30)}));
  EXPECT_EQ(player.Error(), mm::MCIERR_INVALID_DEVICE_ID);

  api.SetResult(mm::MCI_SET, 0);
  OpenPlayersFile();
  player.SetTimeFormat(tfMilliseconds);
  EXPECT_EQ(api.Calls(), (std::vector<MciCall>{calls::SetTimeFormat(kDevice, 0)}));
  EXPECT_EQ(player.Error(), 0u);
}

}  // namespace
