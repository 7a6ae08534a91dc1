// The mixer functions while the sound server is missing, stops and starts again. Each test runs
// a server of its own in its own runtime directory.
#include <gtest/gtest.h>

#include <time.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "SoundServer.h"
#include "multimedia/mixerapi.h"

namespace {

using namespace mm;
using namespace std::chrono_literals;
using alsa_test::Message;
using alsa_test::MessageLog;
using alsa_test::PrivateSoundServer;
using alsa_test::Shell;

constexpr DWORD kByHandle = MIXER_OBJECTF_HMIXER;

std::chrono::milliseconds ProcessCpuTime() {
  timespec time{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
  return std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec));
}

MMRESULT ReadValues(MixerApi& api, HMIXER handle, DWORD control, std::vector<DWORD>& values) {
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof details;
  details.dwControlID = control;
  details.cChannels = static_cast<DWORD>(values.size());
  details.cbDetails = sizeof(DWORD);
  details.paDetails = values.data();
  return api.mixerGetControlDetailsW(handle, &details, kByHandle);
}

MIXERLINEW Speakers(MixerApi& api, HMIXER handle) {
  MIXERLINEW line{};
  line.cbStruct = sizeof line;
  EXPECT_EQ(api.mixerGetLineInfoW(handle, &line, kByHandle), MMSYSERR_NOERROR);
  return line;
}

DWORD MasterVolumeId(MixerApi& api, HMIXER handle) {
  MIXERCONTROLW control{};
  MIXERLINECONTROLSW query{};
  query.cbStruct = sizeof query;
  query.dwLineID = Speakers(api, handle).dwLineID;
  query.u.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
  query.cControls = 1;
  query.cbmxctrl = sizeof control;
  query.pamxctrl = &control;
  EXPECT_EQ(api.mixerGetLineControlsW(handle, &query, kByHandle | MIXER_GETLINECONTROLSF_ONEBYTYPE),
            MMSYSERR_NOERROR);
  return control.dwControlID;
}

TEST(SoundServerLife, NoServerMeansNoDeviceAndOneStartedLaterIsFoundByTheNextCount) {
  if (std::filesystem::exists("/dev/snd")) {
    GTEST_SKIP() << "this machine's sound cards are devices without a server";
  }
  PrivateSoundServer server;
  MixerApi& api = SystemMixerApi();
  EXPECT_EQ(api.mixerGetNumDevs(), 0u);
  HMIXER handle = nullptr;
  EXPECT_EQ(api.mixerOpen(&handle, 0, 0, 0, 0), MMSYSERR_BADDEVICEID);
  MIXERCAPSW caps{};
  EXPECT_EQ(api.mixerGetDevCapsW(0, &caps, sizeof caps), MMSYSERR_BADDEVICEID);

  server.Start();
  PrepareSystemMixerApi();  // as at start-up: the count takes this scan over
  ASSERT_EQ(api.mixerGetNumDevs(), 1u);
  ASSERT_EQ(api.mixerOpen(&handle, 0, 0, 0, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(Speakers(api, handle).dwComponentType, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
  EXPECT_EQ(api.mixerClose(handle), MMSYSERR_NOERROR);
}

// A count keeps the connections it opened for the openings after it: what happened in between
// is the state at opening, as on a new connection, and no change to report. The server reports a
// change to each client a moment after the change's own command returns, and a report still on its
// way at the opening is news when it arrives: the test lets an observer hear of the change, then
// gives the report as long again to reach the kept connection.
TEST(SoundServerLife, AnOpeningAfterTheCountSeesTheServerAsItIsThen) {
  PrivateSoundServer server;
  server.Start();
  MixerApi& api = SystemMixerApi();
  // Opens device 0 with a callback window: no message follows, and the volume reads `raw`.
  auto expectQuietOpeningAt = [&api](DWORD raw, const char* since) {
    MessageLog log;
    HMIXER handle = nullptr;
    ASSERT_EQ(api.mixerOpen(&handle, 0, log.Handle(), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);
    log.Drain(200ms);
    EXPECT_TRUE(log.Received().empty()) << since;
    std::vector<DWORD> values(2);
    ASSERT_EQ(ReadValues(api, handle, MasterVolumeId(api, handle), values), MMSYSERR_NOERROR);
    EXPECT_EQ(values, (std::vector<DWORD>{raw, raw})) << since;
    EXPECT_EQ(api.mixerClose(handle), MMSYSERR_NOERROR);
  };

  ASSERT_EQ(api.mixerGetNumDevs(), 1u);
  MessageLog observerLog;
  HMIXER observer = nullptr;
  ASSERT_EQ(api.mixerOpen(&observer, 0, observerLog.Handle(), 0, CALLBACK_WINDOW),
            MMSYSERR_NOERROR);
  const Message volumeChanged{MM_MIXM_CONTROL_CHANGE, reinterpret_cast<std::uintptr_t>(observer),
                              MasterVolumeId(api, observer)};
  ASSERT_EQ(api.mixerGetNumDevs(), 1u);
  Shell("pactl set-sink-volume @DEFAULT_SINK@ 30%");
  ASSERT_TRUE(observerLog.WaitFor([&](const Message& m) { return m == volumeChanged; }, 2s));
  observerLog.Drain(100ms);
  expectQuietOpeningAt(19660, "a volume changed after the count");
  EXPECT_EQ(api.mixerClose(observer), MMSYSERR_NOERROR);

  ASSERT_EQ(api.mixerGetNumDevs(), 1u);
  server.Stop();
  server.Start();  // the new server starts at 100 %
  expectQuietOpeningAt(65535, "a server restarted after the count");
}

TEST(SoundServerLife, AStoppedServerFailsValuesWithoutSpinningAndReturnsUnderTheSameIds) {
  PrivateSoundServer server;
  server.Start();
  MixerApi& api = SystemMixerApi();
  ASSERT_EQ(api.mixerGetNumDevs(), 1u);
  MessageLog log;
  HMIXER handle = nullptr;
  ASSERT_EQ(api.mixerOpen(&handle, 0, log.Handle(), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);
  const auto wParam = reinterpret_cast<std::uintptr_t>(handle);
  const DWORD volume = MasterVolumeId(api, handle);
  const DWORD speakers = Speakers(api, handle).dwLineID;
  const Message speakersChanged{MM_MIXM_LINE_CHANGE, wParam, speakers};
  Shell("pactl set-sink-volume @DEFAULT_SINK@ 30%");
  log.Drain(100ms);

  server.Stop();
  EXPECT_TRUE(log.WaitFor([&](const Message& m) { return m == speakersChanged; }, 1s));
  std::vector<DWORD> values(2, 0xDEAD);
  EXPECT_EQ(ReadValues(api, handle, volume, values), MMSYSERR_NODRIVER);
  EXPECT_EQ(values, (std::vector<DWORD>{0xDEAD, 0xDEAD}));
  EXPECT_EQ(Speakers(api, handle).fdwLine, MIXERLINE_LINEF_DISCONNECTED);

  const auto cpuBefore = ProcessCpuTime();
  std::this_thread::sleep_for(1500ms);
  EXPECT_LT(ProcessCpuTime() - cpuBefore, 100ms) << "something spins while the server is away";

  log.Clear();
  server.Start();  // the new server starts at 100 %
  EXPECT_TRUE(log.WaitFor([&](const Message& m) { return m == speakersChanged; }, 3s));
  EXPECT_TRUE(log.WaitFor(
      [&](const Message& m) {
        return m == Message{MM_MIXM_CONTROL_CHANGE, wParam, volume};
      },
      200ms));
  ASSERT_EQ(ReadValues(api, handle, volume, values), MMSYSERR_NOERROR);
  EXPECT_EQ(values, (std::vector<DWORD>{65535, 65535}));
  EXPECT_EQ(Speakers(api, handle).fdwLine, MIXERLINE_LINEF_ACTIVE);

  log.Clear();
  Shell("pactl set-sink-volume @DEFAULT_SINK@ 50%");
  EXPECT_TRUE(log.WaitFor(
      [&](const Message& m) {
        return m == Message{MM_MIXM_CONTROL_CHANGE, wParam, volume};
      },
      200ms));
  EXPECT_EQ(api.mixerClose(handle), MMSYSERR_NOERROR);
}

}  // namespace
