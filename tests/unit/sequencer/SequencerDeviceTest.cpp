// The sequencer device on a real FluidSynth whose sound the tests render themselves.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "multimedia/linux/sequencer/Synthesizer.h"
#include "sequencer/SequencerFixture.h"

namespace {

using midi_test::TrackBuilder;
using sequencer_test::Melody;
using sequencer_test::Notification;
using sequencer_test::Rms;

constexpr Notification Successful(mm::MCIDEVICEID device) {
  return {mm::MCI_NOTIFY_SUCCESSFUL, static_cast<mm::LPARAM>(device)};
}
constexpr Notification Aborted(mm::MCIDEVICEID device) {
  return {mm::MCI_NOTIFY_ABORTED, static_cast<mm::LPARAM>(device)};
}
constexpr Notification Superseded(mm::MCIDEVICEID device) {
  return {mm::MCI_NOTIFY_SUPERSEDED, static_cast<mm::LPARAM>(device)};
}

class SequencerDevice : public sequencer_test::SequencerFixture {};

// Sound levels, which follow the synthesiser's gain: where a note's sound begins, and what is
// left of silenced notes once the first 100 ms of their reverb have passed.
constexpr float kOnsetLevel = static_cast<float>(5e-5 * sequencer::kSynthesizerGain);
constexpr double kSilenceRms = 5e-4 * sequencer::kSynthesizerGain;

// 1 s at 120 bpm, 1 s at 60 bpm (one quarter), then 240 bpm for 4 quarters (1 s): 3 s in all,
// the tempo set in the first track and changed in the second.
midi_test::Bytes TempoChanges(std::uint16_t division) {
  TrackBuilder conductor, notes;
  const std::uint32_t q = division;
  conductor.Tempo(0, 500000).Tempo(2 * q, 1000000).End(10);
  notes.NoteOn(0, 0, 60).NoteOff(3 * q, 0, 60).Tempo(0, 250000).NoteOn(0, 0, 64).End(4 * q);
  return midi_test::MidiFile(1, division, {conductor, notes});
}

// Energy of the difference between the first 300 ms of two notes, each from its own onset,
// relative to the first's.
double NoteDifference(const std::vector<float>& first, const std::vector<float>& second) {
  auto onset = [](const std::vector<float>& sound) {
    return static_cast<std::size_t>(
        std::find_if(sound.begin(), sound.end(),
                     [](float s) { return std::abs(s) > kOnsetLevel; }) -
        sound.begin());
  };
  const std::size_t a = onset(first), b = onset(second), span = 13230;
  if (a + span >= first.size() || b + span >= second.size()) {
    ADD_FAILURE() << "a note is missing or shorter than 300 ms";
    return 1;
  }
  double difference = 0, energy = 0;
  for (std::size_t i = 0; i < span; ++i) {
    const double d = first[a + i] - second[b + i];
    difference += d * d;
    energy += double{first[a + i]} * first[a + i];
  }
  return difference / energy;
}

TEST_F(SequencerDevice, LengthFollowsTheTempoMapForEveryDivision) {
  for (std::uint16_t division : {48, 96, 480, 960, 25}) {
    SCOPED_TRACE(division);
    const auto device = OpenOrFail(Write("tempo.mid", TempoChanges(division)));
    EXPECT_EQ(Status(device, mm::MCI_STATUS_LENGTH), 3000u);
    EXPECT_EQ(Status(device, mm::MCI_STATUS_LENGTH, mm::MCI_TRACK, 1), 3000u);
    EXPECT_EQ(Generic(device, mm::MCI_CLOSE), mm::MMSYSERR_NOERROR);
  }
  TrackBuilder smpte;
  smpte.NoteOn(0, 0, 60).End(25 * 40 * 2);  // two seconds of 25 frames of 40 ticks
  const auto device = OpenOrFail(
      Write("smpte.mid", midi_test::MidiFile(0, midi_test::SmpteDivision(25, 40), {smpte})));
  EXPECT_EQ(Status(device, mm::MCI_STATUS_LENGTH), 2000u);
}

TEST_F(SequencerDevice, AnswersStatusAndCapabilitiesLikeASequencer) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(2)));
  EXPECT_EQ(Mode(device), mm::MCI_MODE_STOP);
  EXPECT_EQ(Position(device), 0u);
  EXPECT_EQ(Status(device, mm::MCI_STATUS_LENGTH), 1000u);
  EXPECT_EQ(Status(device, mm::MCI_STATUS_NUMBER_OF_TRACKS), 1u);
  EXPECT_EQ(Status(device, mm::MCI_STATUS_TIME_FORMAT), mm::MCI_FORMAT_MILLISECONDS);
  EXPECT_EQ(Status(device, mm::MCI_STATUS_READY), 1u);
  EXPECT_EQ(Status(device, mm::MCI_STATUS_POSITION, mm::MCI_TRACK, 1), 0u);

  mm::MCI_STATUS_PARMS status{0, 0, mm::MCI_STATUS_LENGTH, 2};
  EXPECT_EQ(
      Send(device, mm::MCI_STATUS, mm::MCI_WAIT | mm::MCI_STATUS_ITEM | mm::MCI_TRACK, status),
      mm::MCIERR_OUTOFRANGE);
  status = {0, 0, mm::MCI_STATUS_LENGTH, 0};
  EXPECT_EQ(Send(device, mm::MCI_STATUS, mm::MCI_WAIT, status), mm::MCIERR_MISSING_PARAMETER);

  struct Capability {
    mm::DWORD item;
    mm::DWORD value;
  };
  for (const Capability c : {Capability{mm::MCI_GETDEVCAPS_CAN_PLAY, 1},
                             {mm::MCI_GETDEVCAPS_CAN_RECORD, 0},
                             {mm::MCI_GETDEVCAPS_CAN_EJECT, 0},
                             {mm::MCI_GETDEVCAPS_HAS_VIDEO, 0},
                             {mm::MCI_GETDEVCAPS_HAS_AUDIO, 1},
                             {mm::MCI_GETDEVCAPS_USES_FILES, 1},
                             {mm::MCI_GETDEVCAPS_CAN_SAVE, 0},
                             {mm::MCI_GETDEVCAPS_DEVICE_TYPE, mm::MCI_DEVTYPE_SEQUENCER}}) {
    SCOPED_TRACE(c.item);
    mm::MCI_GETDEVCAPS_PARMS caps{0, 99, c.item};
    EXPECT_EQ(Send(device, mm::MCI_GETDEVCAPS, mm::MCI_WAIT | mm::MCI_GETDEVCAPS_ITEM, caps),
              mm::MMSYSERR_NOERROR);
    EXPECT_EQ(caps.dwReturn, c.value);
  }

  mm::MCI_DGV_RECT_PARMS where{};
  EXPECT_EQ(Send(device, mm::MCI_WHERE, mm::MCI_DGV_WHERE_SOURCE, where),
            mm::MCIERR_UNSUPPORTED_FUNCTION);
  mm::MCI_SET_PARMS set{0, mm::MCI_FORMAT_MILLISECONDS, 0};
  EXPECT_EQ(Send(device, mm::MCI_SET, mm::MCI_SET_TIME_FORMAT, set), mm::MMSYSERR_NOERROR);
  set.dwTimeFormat = mm::MCI_FORMAT_SMPTE_30;
  EXPECT_EQ(Send(device, mm::MCI_SET, mm::MCI_SET_TIME_FORMAT, set), mm::MCIERR_BAD_TIME_FORMAT);
  EXPECT_EQ(Send(device, mm::MCI_SET, mm::MCI_SET_DOOR_OPEN, set), mm::MCIERR_UNSUPPORTED_FUNCTION);
  EXPECT_EQ(Status(device, mm::MCI_STATUS_TIME_FORMAT), mm::MCI_FORMAT_MILLISECONDS);
  EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(SequencerDevice, OpensTheFormsAMediaPlayerSends) {
  const auto midi = Melody(1);
  struct Case {
    const char* file;
    mm::DWORD flags;
    const char16_t* type;
    mm::MCIERROR result;
  };
  const mm::DWORD element = mm::MCI_WAIT | mm::MCI_OPEN_ELEMENT;
  const Case cases[] = {
      {"a.mid", element, u"", mm::MMSYSERR_NOERROR},
      {"b.MIDI", element, u"", mm::MMSYSERR_NOERROR},
      {"c.rmi", element | mm::MCI_OPEN_SHAREABLE, u"", mm::MMSYSERR_NOERROR},
      {"d.bin", element | mm::MCI_OPEN_TYPE, u"Sequencer", mm::MMSYSERR_NOERROR},
      {"e.mid", element | mm::MCI_OPEN_TYPE, u"sequencer", mm::MMSYSERR_NOERROR},
      {"f.wav", element, u"", mm::MCIERR_EXTENSION_NOT_FOUND},
      {"g.mid", element | mm::MCI_OPEN_TYPE, u"WaveAudio", mm::MCIERR_INVALID_DEVICE_NAME},
  };
  std::vector<mm::MCIDEVICEID> opened;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    mm::MCIDEVICEID device = 0;
    EXPECT_EQ(Open(Write(c.file, midi), device, c.flags, c.type), c.result);
    if (c.result == mm::MMSYSERR_NOERROR) {
      EXPECT_NE(device, 0u);
      EXPECT_EQ(std::count(opened.begin(), opened.end(), device), 0);
      opened.push_back(device);
    }
  }

  mm::MCIDEVICEID device = 0;
  EXPECT_EQ(Open("", device), mm::MCIERR_FILENAME_REQUIRED);
  EXPECT_EQ(Open(FFolder / "missing.mid", device), mm::MCIERR_FILE_NOT_FOUND);
  // The type alone opens an empty sequencer.
  mm::MCI_OPEN_PARMSW typeOnly{FWindow.Handle(), 0, u"Sequencer", u"", nullptr};
  ASSERT_EQ(Send(0, mm::MCI_OPEN, mm::MCI_WAIT | mm::MCI_OPEN_TYPE, typeOnly),
            mm::MMSYSERR_NOERROR);
  EXPECT_EQ(Status(typeOnly.wDeviceID, mm::MCI_STATUS_LENGTH), 0u);

  for (mm::MCIDEVICEID id : opened) {
    EXPECT_EQ(Generic(id, mm::MCI_CLOSE), mm::MMSYSERR_NOERROR);
    EXPECT_EQ(Generic(id, mm::MCI_CLOSE), mm::MCIERR_INVALID_DEVICE_ID);
  }
}

TEST_F(SequencerDevice, RefusesMalformedFilesOnOpen) {
  TrackBuilder good;
  good.NoteOn(0, 0, 60).End(96);
  const midi_test::Bytes cases[] = {
      {},
      {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 0},                // division 0
      midi_test::Header(1, 3, 96),                                       // tracks missing
      midi_test::MidiFile(0, 96, {TrackBuilder().Event(0, {60, 100})}),  // no status
      midi_test::Bytes(smf::kMaxFileBytes + 1, 'M'),
  };
  for (const auto& bytes : cases) {
    SCOPED_TRACE(bytes.size());
    mm::MCIDEVICEID device = 0;
    EXPECT_EQ(Open(Write("bad.mid", bytes), device), mm::MCIERR_INVALID_FILE);
  }
}

TEST_F(SequencerDevice, EveryCodeItReturnsHasAJapaneseText) {
  for (mm::MCIERROR code : {mm::MMSYSERR_NOERROR,
                            mm::MCIERR_INVALID_DEVICE_ID,
                            mm::MCIERR_UNRECOGNIZED_COMMAND,
                            mm::MCIERR_HARDWARE,
                            mm::MCIERR_INVALID_DEVICE_NAME,
                            mm::MCIERR_OUT_OF_MEMORY,
                            mm::MCIERR_CANNOT_LOAD_DRIVER,
                            mm::MCIERR_MISSING_PARAMETER,
                            mm::MCIERR_UNSUPPORTED_FUNCTION,
                            mm::MCIERR_FILE_NOT_FOUND,
                            mm::MCIERR_OUTOFRANGE,
                            mm::MCIERR_FLAGS_NOT_COMPATIBLE,
                            mm::MCIERR_BAD_TIME_FORMAT,
                            mm::MCIERR_INVALID_FILE,
                            mm::MCIERR_NULL_PARAMETER_BLOCK,
                            mm::MCIERR_NONAPPLICABLE_FUNCTION,
                            mm::MCIERR_FILENAME_REQUIRED,
                            mm::MCIERR_EXTENSION_NOT_FOUND,
                            mm::MCIERR_SEQ_PORT_INUSE,
                            mm::MCIERR_FILE_READ}) {
    SCOPED_TRACE(code);
    mm::WCHAR text[4096] = {};
    ASSERT_EQ(FApi.mciGetErrorStringW(code, text, 4096), mm::TRUE);
    const std::u16string_view view(text);
    EXPECT_GT(view.size(), 5u);
    EXPECT_TRUE(std::any_of(view.begin(), view.end(), [](char16_t c) { return c >= 0x3040; }));
  }
  mm::WCHAR text[8] = {u'x'};
  EXPECT_EQ(FApi.mciGetErrorStringW(12345, text, 8), mm::FALSE);
  EXPECT_EQ(text[0], u'\0');
  EXPECT_EQ(FApi.mciGetErrorStringW(mm::MCIERR_INVALID_FILE, text, 8), mm::TRUE);
  EXPECT_EQ(std::u16string_view(text).size(), 7u);  // cut to the buffer, null included
}

TEST_F(SequencerDevice, RejectsCommandsItCannotCarryOut) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(2)));
  EXPECT_EQ(Generic(12345, mm::MCI_PLAY), mm::MCIERR_INVALID_DEVICE_ID);
  EXPECT_EQ(Play(device, mm::MCI_FROM, 1001), mm::MCIERR_OUTOFRANGE);
  EXPECT_EQ(Play(device, mm::MCI_FROM | mm::MCI_TO, 800, 700), mm::MCIERR_OUTOFRANGE);
  EXPECT_EQ(Seek(device, mm::MCI_TO, 1001), mm::MCIERR_OUTOFRANGE);
  EXPECT_EQ(Seek(device, mm::MCI_WAIT), mm::MCIERR_MISSING_PARAMETER);
  EXPECT_EQ(Seek(device, mm::MCI_SEEK_TO_START | mm::MCI_SEEK_TO_END),
            mm::MCIERR_FLAGS_NOT_COMPATIBLE);
  EXPECT_EQ(Generic(device, mm::MCI_RESUME, mm::MCI_NOTIFY), mm::MCIERR_NONAPPLICABLE_FUNCTION);
  EXPECT_EQ(FApi.mciSendCommandW(device, mm::MCI_STATUS, mm::MCI_STATUS_ITEM, 0),
            mm::MCIERR_NULL_PARAMETER_BLOCK);
  EXPECT_EQ(Generic(device, mm::MCI_INFO), mm::MCIERR_UNRECOGNIZED_COMMAND);
  EXPECT_TRUE(TakeNotifications().empty());
  EXPECT_EQ(Mode(device), mm::MCI_MODE_STOP);
}

TEST_F(SequencerDevice, SeeksToStartEndAndAnyPosition) {
  const auto device = OpenOrFail(Write("piece.mid", TempoChanges(480)));
  EXPECT_EQ(Seek(device, mm::MCI_WAIT | mm::MCI_SEEK_TO_END), mm::MMSYSERR_NOERROR);
  EXPECT_EQ(Position(device), 3000u);
  EXPECT_EQ(Seek(device, mm::MCI_WAIT | mm::MCI_TO, 1234), mm::MMSYSERR_NOERROR);
  EXPECT_EQ(Position(device), 1234u);
  EXPECT_EQ(Seek(device, mm::MCI_WAIT | mm::MCI_SEEK_TO_START | mm::MCI_NOTIFY),
            mm::MMSYSERR_NOERROR);
  EXPECT_EQ(Position(device), 0u);
  EXPECT_EQ(TakeNotifications(), std::vector{Successful(device)});  // the seek's own
}

TEST_F(SequencerDevice, ANotifyingPlayThatReachesTheEndPostsOneSuccess) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(2)));
  ASSERT_EQ(Play(device), mm::MMSYSERR_NOERROR);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_PLAY);
  const auto sound = Render(600);
  EXPECT_GT(Rms(sound), 0.001);
  EXPECT_NEAR(static_cast<double>(Position(device)), 600.0, 20.0);
  EXPECT_TRUE(TakeNotifications().empty());
  Render(500);
  EXPECT_EQ(TakeNotifications(), std::vector{Successful(device)});
  EXPECT_EQ(Mode(device), mm::MCI_MODE_STOP);
  EXPECT_EQ(Position(device), 1000u);
  Render(500);
  EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(SequencerDevice, PlayWithoutNotifyPostsNothingAndPlaysFromToWhereAsked) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(4)));
  ASSERT_EQ(Play(device, mm::MCI_FROM | mm::MCI_TO, 500, 1500), mm::MMSYSERR_NOERROR);
  Render(1100);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_STOP);
  EXPECT_EQ(Position(device), 1500u);
  EXPECT_TRUE(TakeNotifications().empty());
  // From the end of the song nothing is left to play: the play ends at once.
  ASSERT_EQ(Seek(device, mm::MCI_WAIT | mm::MCI_SEEK_TO_END), mm::MMSYSERR_NOERROR);
  ASSERT_EQ(Play(device), mm::MMSYSERR_NOERROR);
  Render(50);
  EXPECT_EQ(TakeNotifications(), std::vector{Successful(device)});
}

TEST_F(SequencerDevice, SeekStopOrPauseCutAPlayShortWithOneAbortedAtOnce) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(4)));
  for (const auto& cut : std::vector<std::function<mm::MCIERROR()>>{
           [&] { return Seek(device, mm::MCI_WAIT | mm::MCI_SEEK_TO_END); },
           [&] { return Generic(device, mm::MCI_STOP); },
           [&] { return Generic(device, mm::MCI_PAUSE); }}) {
    ASSERT_EQ(Play(device, mm::MCI_NOTIFY | mm::MCI_FROM, 0), mm::MMSYSERR_NOERROR);
    Render(300);
    ASSERT_EQ(cut(), mm::MMSYSERR_NOERROR);
    EXPECT_EQ(TakeNotifications(), std::vector{Aborted(device)});
    const auto after = Render(2500);
    EXPECT_TRUE(TakeNotifications().empty());
    EXPECT_LT(Rms(after, 4410), kSilenceRms);  // silent after the first 100 ms of reverb
  }
}

TEST_F(SequencerDevice, PauseFreezesThePositionAndResumeGoesOnFromIt) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(4)));
  ASSERT_EQ(Play(device), mm::MMSYSERR_NOERROR);
  Render(700);
  ASSERT_EQ(Generic(device, mm::MCI_PAUSE), mm::MMSYSERR_NOERROR);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_PAUSE);
  const auto paused = Position(device);
  EXPECT_NEAR(static_cast<double>(paused), 700.0, 20.0);
  Render(1000);
  EXPECT_EQ(Position(device), paused);
  EXPECT_EQ(TakeNotifications(), std::vector{Aborted(device)});

  ASSERT_EQ(Generic(device, mm::MCI_RESUME, mm::MCI_NOTIFY), mm::MMSYSERR_NOERROR);
  EXPECT_EQ(Mode(device), mm::MCI_MODE_PLAY);
  Render(500);
  EXPECT_NEAR(static_cast<double>(Position(device)), static_cast<double>(paused) + 500.0, 20.0);
  Render(2000 - static_cast<int>(paused) - 500 + 100);
  EXPECT_EQ(TakeNotifications(), std::vector{Successful(device)});
  EXPECT_EQ(Mode(device), mm::MCI_MODE_STOP);
}

TEST_F(SequencerDevice, ANewPlaySupersedesOrAbortsThePendingOne) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(2)));
  ASSERT_EQ(Play(device), mm::MMSYSERR_NOERROR);
  Render(100);
  ASSERT_EQ(Play(device, mm::MCI_NOTIFY | mm::MCI_FROM, 0), mm::MMSYSERR_NOERROR);
  EXPECT_EQ(TakeNotifications(), std::vector{Superseded(device)});
  Render(100);
  ASSERT_EQ(Play(device, mm::MCI_FROM, 0), mm::MMSYSERR_NOERROR);
  EXPECT_EQ(TakeNotifications(), std::vector{Aborted(device)});
  Render(1200);
  EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(SequencerDevice, CloseDuringPlayLeavesSilenceAndNoLateNotification) {
  const auto device = OpenOrFail(Write("piece.mid", Melody(2)));
  ASSERT_EQ(Play(device), mm::MMSYSERR_NOERROR);
  EXPECT_GT(Rms(Render(300)), 0.001);
  ASSERT_EQ(Generic(device, mm::MCI_CLOSE), mm::MMSYSERR_NOERROR);
  const auto after = Render(2000);
  EXPECT_LT(Rms(after, 4410), kSilenceRms);
  EXPECT_TRUE(TakeNotifications().empty());
  EXPECT_EQ(Generic(device, mm::MCI_PLAY), mm::MCIERR_INVALID_DEVICE_ID);
}

TEST_F(SequencerDevice, OnlyOneDevicePlaysAtATime) {
  const auto first = OpenOrFail(Write("a.mid", Melody(2)));
  const auto second = OpenOrFail(Write("b.mid", Melody(2)));
  ASSERT_EQ(Play(first), mm::MMSYSERR_NOERROR);
  EXPECT_EQ(Play(second), mm::MCIERR_SEQ_PORT_INUSE);
  Render(1100);
  EXPECT_EQ(TakeNotifications(), std::vector{Successful(first)});
  EXPECT_EQ(Play(second), mm::MMSYSERR_NOERROR);
}

// Program 40 (violin), volume and pan set at the start; the only note comes at 1 s.
TEST_F(SequencerDevice, ResumeRestoresTheProgramsAndControllersInForce) {
  TrackBuilder track;
  track.Program(0, 0, 40).Controller(0, 0, 7, 64).Controller(0, 0, 10, 0);
  track.NoteOn(960, 0, 67).NoteOff(480, 0, 67).End(480);
  const auto file = Write("violin.mid", midi_test::MidiFile(0, 480, {track}));

  const auto device = OpenOrFail(file);
  ASSERT_EQ(Play(device, 0), mm::MMSYSERR_NOERROR);
  const auto straight = Render(1500);

  ASSERT_EQ(Play(device, mm::MCI_FROM, 0), mm::MMSYSERR_NOERROR);
  Render(400);
  ASSERT_EQ(Generic(device, mm::MCI_PAUSE), mm::MMSYSERR_NOERROR);
  Render(300);
  ASSERT_EQ(Generic(device, mm::MCI_RESUME, 0), mm::MMSYSERR_NOERROR);
  const auto resumed = Render(1100);

  // Chorus modulation follows the synthesiser's clock, so the two differ a little; a note on
  // another program or at another volume differs by about its whole energy.
  EXPECT_LT(NoteDifference(straight, resumed), 0.3);
}

// Instruments load when a piece selects them, also while it plays: here at 0.5 s.
TEST_F(SequencerDevice, AnInstrumentChosenMidPieceSoundsAsWhenChosenAtTheStart) {
  TrackBuilder atStart;
  atStart.Program(0, 0, 73).NoteOn(960, 0, 72).NoteOff(480, 0, 72).End(480);
  TrackBuilder midPiece;
  midPiece.Program(480, 0, 73).NoteOn(480, 0, 72).NoteOff(480, 0, 72).End(480);

  auto render = [&](const TrackBuilder& track, const char* name) {
    const auto device = OpenOrFail(Write(name, midi_test::MidiFile(0, 480, {track})));
    FApi.SynthesizerInUse()->SetEffects(false);  // their modulation runs on the synth's clock
    EXPECT_EQ(Play(device, 0), mm::MMSYSERR_NOERROR);
    auto sound = Render(1500);
    EXPECT_EQ(Generic(device, mm::MCI_CLOSE), mm::MMSYSERR_NOERROR);
    Render(200);  // the silenced note's last fade
    return sound;
  };
  const auto chosenAtStart = render(atStart, "at-start.mid");
  const auto chosenMidPiece = render(midPiece, "mid-piece.mid");
  EXPECT_LT(NoteDifference(chosenAtStart, chosenMidPiece), 0.3);
}

}  // namespace
