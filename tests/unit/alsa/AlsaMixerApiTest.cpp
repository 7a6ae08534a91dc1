// The mixer functions on a real PulseAudio server with a null sink, reached through ALSA's
// default device as on a desktop.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "SoundServer.h"
#include "multimedia/mixerapi.h"

namespace {

using namespace mm;
using namespace std::chrono_literals;
using alsa_test::Message;
using alsa_test::MessageLog;
using alsa_test::Shell;
using alsa_test::SinkMuted;
using alsa_test::SinkVolumes;

constexpr DWORD kByHandle = MIXER_OBJECTF_HMIXER;

class AlsaMixerApi : public ::testing::Test {
 protected:
  void SetUp() override {
    Shell("pactl set-sink-volume @DEFAULT_SINK@ 100% && pactl set-sink-mute @DEFAULT_SINK@ 0");
    devices = api.mixerGetNumDevs();  // the server, then any sound card the machine has
    ASSERT_GE(devices, 1u);
  }

  void TearDown() override {
    for (auto* handle : opened) {
      api.mixerClose(handle);
    }
  }

  HMIXER Open(toolkit::WindowHandle window = 0) {
    HMIXER handle = nullptr;
    EXPECT_EQ(api.mixerOpen(&handle, 0, window, 0, window != 0 ? CALLBACK_WINDOW : 0),
              MMSYSERR_NOERROR);
    opened.push_back(handle);
    return handle;
  }

  MIXERLINEW Line(HMIXER handle, DWORD destination, DWORD source, DWORD query) {
    MIXERLINEW line{};
    line.cbStruct = sizeof line;
    line.dwDestination = destination;
    line.dwSource = source;
    EXPECT_EQ(api.mixerGetLineInfoW(handle, &line, kByHandle | query), MMSYSERR_NOERROR);
    return line;
  }

  std::vector<MIXERCONTROLW> Controls(HMIXER handle, const MIXERLINEW& line) {
    std::vector<MIXERCONTROLW> controls(line.cControls);
    MIXERLINECONTROLSW query{};
    query.cbStruct = sizeof query;
    query.dwLineID = line.dwLineID;
    query.cControls = line.cControls;
    query.cbmxctrl = sizeof(MIXERCONTROLW);
    query.pamxctrl = controls.data();
    EXPECT_EQ(api.mixerGetLineControlsW(handle, &query, kByHandle | MIXER_GETLINECONTROLSF_ALL),
              MMSYSERR_NOERROR);
    return controls;
  }

  // The master line's volume and mute controls.
  std::pair<DWORD, DWORD> MasterControls(HMIXER handle) {
    const auto controls = Controls(handle, Line(handle, 0, 0, MIXER_GETLINEINFOF_DESTINATION));
    return {controls.at(0).dwControlID, controls.at(1).dwControlID};
  }

  MMRESULT Details(HMIXER handle, DWORD control, std::vector<DWORD>& values, bool write) {
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control;
    details.cChannels = static_cast<DWORD>(values.size());
    details.cbDetails = sizeof(DWORD);
    details.paDetails = values.data();
    return write ? api.mixerSetControlDetails(handle, &details, kByHandle)
                 : api.mixerGetControlDetailsW(handle, &details, kByHandle);
  }

  std::vector<DWORD> Get(HMIXER handle, DWORD control, std::size_t channels) {
    std::vector<DWORD> values(channels, 0xDEAD);
    EXPECT_EQ(Details(handle, control, values, false), MMSYSERR_NOERROR);
    return values;
  }

  void Set(HMIXER handle, DWORD control, std::vector<DWORD> values) {
    EXPECT_EQ(Details(handle, control, values, true), MMSYSERR_NOERROR);
  }

  MixerApi& api = SystemMixerApi();
  UINT devices = 0;
  std::vector<HMIXER> opened;
};

TEST_F(AlsaMixerApi, TheSoundServerIsDeviceZeroWithSpeakersAndWaveIn) {
  MIXERCAPSW caps{};
  ASSERT_EQ(api.mixerGetDevCapsW(0, &caps, sizeof caps), MMSYSERR_NOERROR);
  EXPECT_EQ(std::u16string(caps.szPname), u"PulseAudio");
  EXPECT_EQ(caps.cDestinations, 2u);
  EXPECT_EQ(api.mixerGetDevCapsW(devices, &caps, sizeof caps), MMSYSERR_BADDEVICEID);

  const HMIXER handle = Open();
  MIXERCAPSW byHandle{};
  ASSERT_EQ(api.mixerGetDevCapsW(reinterpret_cast<UINT_PTR>(handle), &byHandle, sizeof byHandle),
            MMSYSERR_NOERROR);
  EXPECT_EQ(std::u16string(byHandle.szPname), u"PulseAudio");

  const auto speakers = Line(handle, 0, 0, MIXER_GETLINEINFOF_DESTINATION);
  EXPECT_EQ(speakers.dwComponentType, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
  EXPECT_EQ(std::u16string(speakers.szName), u"Master");
  EXPECT_EQ(speakers.cChannels, 2u);
  EXPECT_EQ(speakers.cConnections, 0u);
  EXPECT_EQ(speakers.cControls, 2u);
  EXPECT_EQ(speakers.fdwLine, MIXERLINE_LINEF_ACTIVE);
  EXPECT_EQ(speakers.Target.dwType, MIXERLINE_TARGETTYPE_WAVEOUT);

  const auto waveIn = Line(handle, 1, 0, MIXER_GETLINEINFOF_DESTINATION);
  EXPECT_EQ(waveIn.dwComponentType, MIXERLINE_COMPONENTTYPE_DST_WAVEIN);
  EXPECT_EQ(std::u16string(waveIn.szName), u"Capture");
  EXPECT_NE(waveIn.dwLineID, speakers.dwLineID);

  MIXERLINEW byId{};
  byId.cbStruct = sizeof byId;
  byId.dwLineID = waveIn.dwLineID;
  ASSERT_EQ(api.mixerGetLineInfoW(handle, &byId, kByHandle | MIXER_GETLINEINFOF_LINEID),
            MMSYSERR_NOERROR);
  EXPECT_EQ(byId.dwDestination, 1u);
  MIXERLINEW byType{};
  byType.cbStruct = sizeof byType;
  byType.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
  ASSERT_EQ(api.mixerGetLineInfoW(handle, &byType, kByHandle | MIXER_GETLINEINFOF_COMPONENTTYPE),
            MMSYSERR_NOERROR);
  EXPECT_EQ(byType.dwLineID, speakers.dwLineID);
}

TEST_F(AlsaMixerApi, MasterHasAPerChannelVolumeAndAUniformMute) {
  const HMIXER handle = Open();
  const auto speakers = Line(handle, 0, 0, MIXER_GETLINEINFOF_DESTINATION);
  const auto controls = Controls(handle, speakers);
  ASSERT_EQ(controls.size(), 2u);
  const auto& volume = controls[0];
  EXPECT_EQ(volume.cbStruct, sizeof(MIXERCONTROLW));
  EXPECT_EQ(volume.dwControlType, MIXERCONTROL_CONTROLTYPE_VOLUME);
  EXPECT_EQ(volume.fdwControl, 0u);
  EXPECT_EQ(volume.Bounds.u.dwMinimum, 0u);
  EXPECT_EQ(volume.Bounds.u.dwMaximum, 65535u);
  EXPECT_EQ(std::u16string(volume.szName), u"Master Volume");
  const auto& mute = controls[1];
  EXPECT_EQ(mute.dwControlType, MIXERCONTROL_CONTROLTYPE_MUTE);
  EXPECT_EQ(mute.fdwControl, MIXERCONTROL_CONTROLF_UNIFORM);
  EXPECT_EQ(std::u16string(mute.szShortName), u"Mute");
  EXPECT_NE(mute.dwControlID, volume.dwControlID);

  MIXERCONTROLW one{};
  MIXERLINECONTROLSW query{};
  query.cbStruct = sizeof query;
  query.dwLineID = speakers.dwLineID;
  query.u.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
  query.cControls = 1;
  query.cbmxctrl = sizeof one;
  query.pamxctrl = &one;
  ASSERT_EQ(api.mixerGetLineControlsW(handle, &query, kByHandle | MIXER_GETLINECONTROLSF_ONEBYTYPE),
            MMSYSERR_NOERROR);
  EXPECT_EQ(one.dwControlID, mute.dwControlID);
  query.dwLineID = 0;
  query.u.dwControlID = volume.dwControlID;
  ASSERT_EQ(api.mixerGetLineControlsW(handle, &query, kByHandle | MIXER_GETLINECONTROLSF_ONEBYID),
            MMSYSERR_NOERROR);
  EXPECT_EQ(one.dwControlType, MIXERCONTROL_CONTROLTYPE_VOLUME);
  EXPECT_EQ(query.dwLineID, speakers.dwLineID);
}

TEST_F(AlsaMixerApi, VolumeAndMuteReachTheServerAndReadBackAsWritten) {
  MessageLog log;
  const HMIXER handle = Open(log.Handle());
  const auto [volume, mute] = MasterControls(handle);

  Set(handle, volume, {30000, 65535});
  EXPECT_EQ(SinkVolumes(), (std::vector<long>{30000, 65536}));
  EXPECT_EQ(Get(handle, volume, 2), (std::vector<DWORD>{30000, 65535}));

  Set(handle, volume, {12345});  // one value for every channel
  EXPECT_EQ(SinkVolumes(), (std::vector<long>{12345, 12345}));
  EXPECT_EQ(Get(handle, volume, 1), (std::vector<DWORD>{12345}));

  EXPECT_EQ(Get(handle, mute, 1), (std::vector<DWORD>{0}));
  Set(handle, mute, {1});
  EXPECT_TRUE(SinkMuted());
  EXPECT_EQ(Get(handle, mute, 1), (std::vector<DWORD>{1}));
  Set(handle, mute, {0});
  EXPECT_FALSE(SinkMuted());

  // A change made elsewhere reads back once its message has come.
  log.Drain(100ms);
  log.Clear();
  Shell("pactl set-sink-volume @DEFAULT_SINK@ 30%");
  const auto wParam = reinterpret_cast<std::uintptr_t>(handle);
  ASSERT_TRUE(log.WaitFor(
      [&](const Message& m) {
        return m == Message{MM_MIXM_CONTROL_CHANGE, wParam, volume};
      },
      200ms));
  EXPECT_EQ(Get(handle, volume, 2), (std::vector<DWORD>{19660, 19660}));
}

TEST_F(AlsaMixerApi, ADeviceNumberServesInPlaceOfAHandle) {
  MIXERLINEW line{};
  line.cbStruct = sizeof line;
  ASSERT_EQ(
      api.mixerGetLineInfoW(nullptr, &line, MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_DESTINATION),
      MMSYSERR_NOERROR);
  EXPECT_EQ(line.dwComponentType, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
  EXPECT_EQ(api.mixerGetLineInfoW(reinterpret_cast<HMIXEROBJ>(devices), &line,
                                  MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_DESTINATION),
            MMSYSERR_BADDEVICEID);
}

TEST_F(AlsaMixerApi, RequestsThatDoNotFitGiveTheSystemsResultCodes) {
  const HMIXER handle = Open();
  const auto [volume, mute] = MasterControls(handle);
  struct Case {
    const char* what;
    void (*change)(MIXERCONTROLDETAILS&, DWORD& flags);
    MMRESULT expected;
  };
  const Case cases[] = {
      {"unknown control", [](auto& d, auto&) { d.dwControlID = 999; }, MIXERR_INVALCONTROL},
      {"three channels of two", [](auto& d, auto&) { d.cChannels = 3; }, MMSYSERR_INVALPARAM},
      {"value size 8", [](auto& d, auto&) { d.cbDetails = 8; }, MMSYSERR_INVALPARAM},
      {"no buffer", [](auto& d, auto&) { d.paDetails = nullptr; }, MMSYSERR_INVALPARAM},
      {"items", [](auto& d, auto&) { d.u.cMultipleItems = 2; }, MMSYSERR_INVALPARAM},
      {"short record", [](auto& d, auto&) { d.cbStruct = 16; }, MMSYSERR_INVALPARAM},
      {"list texts", [](auto&, auto& f) { f |= MIXER_GETCONTROLDETAILSF_LISTTEXT; },
       MMSYSERR_INVALPARAM},
      {"unknown query", [](auto&, auto& f) { f |= 5; }, MMSYSERR_INVALFLAG},
      {"stray flag", [](auto&, auto& f) { f |= 0x100; }, MMSYSERR_INVALFLAG},
      {"wave-out device", [](auto&, auto& f) { f = MIXER_OBJECTF_WAVEOUT; }, MMSYSERR_BADDEVICEID},
  };
  for (const auto& c : cases) {
    std::vector<DWORD> values(2, 0xDEAD);
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = volume;
    details.cChannels = 2;
    details.cbDetails = sizeof(DWORD);
    details.paDetails = values.data();
    DWORD flags = kByHandle;
    c.change(details, flags);
    EXPECT_EQ(api.mixerGetControlDetailsW(handle, &details, flags), c.expected) << c.what;
    EXPECT_EQ(values, (std::vector<DWORD>{0xDEAD, 0xDEAD})) << c.what;
  }
  std::vector<DWORD> values{1};
  MIXERCONTROLDETAILS custom{};
  custom.cbStruct = sizeof custom;
  custom.dwControlID = mute;
  custom.cChannels = 1;
  custom.cbDetails = sizeof(DWORD);
  custom.paDetails = values.data();
  EXPECT_EQ(
      api.mixerSetControlDetails(handle, &custom, kByHandle | MIXER_SETCONTROLDETAILSF_CUSTOM),
      MMSYSERR_INVALPARAM);
  EXPECT_FALSE(SinkMuted());

  MIXERLINEW line{};
  line.cbStruct = sizeof line - 4;
  EXPECT_EQ(api.mixerGetLineInfoW(handle, &line, kByHandle), MMSYSERR_INVALPARAM);
  line.cbStruct = sizeof line;
  line.dwDestination = 2;
  EXPECT_EQ(api.mixerGetLineInfoW(handle, &line, kByHandle), MIXERR_INVALLINE);
  line.dwDestination = 0;
  line.dwSource = 0;
  EXPECT_EQ(api.mixerGetLineInfoW(handle, &line, kByHandle | MIXER_GETLINEINFOF_SOURCE),
            MIXERR_INVALLINE);

  std::vector<MIXERCONTROLW> controls(1);
  MIXERLINECONTROLSW query{};
  query.cbStruct = sizeof query;
  query.dwLineID = Line(handle, 0, 0, MIXER_GETLINEINFOF_DESTINATION).dwLineID;
  query.cControls = 1;  // the line has two
  query.cbmxctrl = sizeof(MIXERCONTROLW);
  query.pamxctrl = controls.data();
  EXPECT_EQ(api.mixerGetLineControlsW(handle, &query, kByHandle), MMSYSERR_INVALPARAM);
  query.u.dwControlID = 999;
  EXPECT_EQ(api.mixerGetLineControlsW(handle, &query, kByHandle | MIXER_GETLINECONTROLSF_ONEBYID),
            MIXERR_INVALCONTROL);
  query.dwLineID = 0x1234;
  EXPECT_EQ(api.mixerGetLineControlsW(handle, &query, kByHandle), MIXERR_INVALLINE);
}

TEST_F(AlsaMixerApi, OpeningAndClosingCheckTheirArguments) {
  HMIXER handle = reinterpret_cast<HMIXER>(1);
  EXPECT_EQ(api.mixerOpen(&handle, devices, 0, 0, 0), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(api.mixerOpen(nullptr, 0, 0, 0, 0), MMSYSERR_INVALPARAM);
  EXPECT_EQ(api.mixerOpen(&handle, 0, 0, 0, CALLBACK_WINDOW), MMSYSERR_INVALPARAM);
  EXPECT_EQ(api.mixerOpen(&handle, 0, 1, 0, 0x00030000 /* a callback function */),
            MMSYSERR_INVALFLAG);
  EXPECT_EQ(api.mixerOpen(&handle, 0, 0, 0, MIXER_OBJECTF_HMIXER), MMSYSERR_INVALHANDLE);

  ASSERT_EQ(api.mixerOpen(&handle, 0, 0, 0, 0), MMSYSERR_NOERROR);
  HMIXER second = nullptr;
  ASSERT_EQ(api.mixerOpen(&second, 0, 0, 0, 0), MMSYSERR_NOERROR);
  EXPECT_NE(second, handle);
  EXPECT_EQ(api.mixerClose(handle), MMSYSERR_NOERROR);
  EXPECT_EQ(api.mixerClose(handle), MMSYSERR_INVALHANDLE);
  MIXERLINEW line{};
  line.cbStruct = sizeof line;
  EXPECT_EQ(api.mixerGetLineInfoW(handle, &line, kByHandle), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(api.mixerGetLineInfoW(second, &line, kByHandle), MMSYSERR_NOERROR);
  EXPECT_EQ(api.mixerClose(second), MMSYSERR_NOERROR);
  // A new handle never takes the number of a closed one.
  HMIXER third = nullptr;
  ASSERT_EQ(api.mixerOpen(&third, 0, 0, 0, 0), MMSYSERR_NOERROR);
  EXPECT_NE(third, handle);
  EXPECT_NE(third, second);
  EXPECT_EQ(api.mixerClose(third), MMSYSERR_NOERROR);
}

TEST_F(AlsaMixerApi, AChangeElsewherePostsAControlChangeForThatControlOnly) {
  MessageLog log;
  const HMIXER handle = Open(log.Handle());
  const auto [volume, mute] = MasterControls(handle);
  const auto wParam = reinterpret_cast<std::uintptr_t>(handle);

  Shell("pactl set-sink-volume @DEFAULT_SINK@ 30%");
  ASSERT_TRUE(log.WaitFor([](const Message&) { return true; }, 200ms));
  log.Drain(100ms);
  EXPECT_EQ(log.Received(), (std::vector<Message>{{MM_MIXM_CONTROL_CHANGE, wParam, volume}}));

  log.Clear();
  Shell("pactl set-sink-mute @DEFAULT_SINK@ 1");
  ASSERT_TRUE(log.WaitFor([](const Message&) { return true; }, 200ms));
  log.Drain(100ms);
  EXPECT_EQ(log.Received(), (std::vector<Message>{{MM_MIXM_CONTROL_CHANGE, wParam, mute}}));

  log.Clear();
  Shell("pactl set-sink-mute @DEFAULT_SINK@ 1");  // no change, no message
  log.Drain(150ms);
  EXPECT_TRUE(log.Received().empty());
}

TEST_F(AlsaMixerApi, OurOwnWritesAreReportedToo) {
  MessageLog log;
  const HMIXER handle = Open(log.Handle());
  const HMIXER other = Open();
  const auto [volume, mute] = MasterControls(handle);
  const auto wParam = reinterpret_cast<std::uintptr_t>(handle);

  Set(handle, volume, {20000, 20000});
  EXPECT_TRUE(log.WaitFor(
      [&](const Message& m) {
        return m == Message{MM_MIXM_CONTROL_CHANGE, wParam, volume};
      },
      200ms));
  Set(other, mute, {1});
  EXPECT_TRUE(log.WaitFor(
      [&](const Message& m) {
        return m == Message{MM_MIXM_CONTROL_CHANGE, wParam, mute};
      },
      200ms));
}

std::size_t ThreadCount() {
  return static_cast<std::size_t>(
      std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                    std::filesystem::directory_iterator()));
}

TEST_F(AlsaMixerApi, CloseStopsTheNotifications) {
  MessageLog log;
  HMIXER handle = nullptr;
  // The first opening takes over the connection of the count, and the thread that serves it.
  ASSERT_EQ(api.mixerOpen(&handle, 0, 0, 0, 0), MMSYSERR_NOERROR);
  ASSERT_EQ(api.mixerClose(handle), MMSYSERR_NOERROR);
  const auto threadsBefore = ThreadCount();
  ASSERT_EQ(api.mixerOpen(&handle, 0, log.Handle(), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);
  EXPECT_GT(ThreadCount(), threadsBefore);
  ASSERT_EQ(api.mixerClose(handle), MMSYSERR_NOERROR);
  EXPECT_EQ(ThreadCount(), threadsBefore);

  Shell("pactl set-sink-volume @DEFAULT_SINK@ 40%");
  log.Drain(200ms);
  EXPECT_TRUE(log.Received().empty());
}

}  // namespace
