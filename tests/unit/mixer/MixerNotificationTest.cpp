#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MixerTestTables.h"
#include "toolkit/MessageWindow.h"
#include "toolkit/PostedMessages.h"

namespace {

using namespace mm;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

enum ControlId : DWORD { kVolume = 1, kMute, kBass };

SimDevice Card(std::u16string name) {
  return {std::move(name),
          {Destination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, u"Speakers",
                       {VolumeControl({}, 0, kVolume), MuteControl({}, kMute),
                        ControlOfType(MIXERCONTROL_CONTROLTYPE_BASS, u"Bass", kBass)},
                       {Source(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, u"Mic", {})})}};
}

struct ControlEvent {
  TMixer* sender;
  TMixerDev* dev;
  TMixerItem* item;
  TMixerCtrl* ctrl;
  std::int32_t masterVolume;
  bool operator==(const ControlEvent&) const = default;
};

struct LineEvent {
  TMixer* sender;
  TMixerDev* dev;
  TMixerItem* item;
  bool operator==(const LineEvent&) const = default;
};

class MixerNotification : public ::testing::Test {
 protected:
  MixerNotification() : system({Card(u"A"), Card(u"B")}), mixer(system) {
    mixer.SetOnControlChange(
        [this](TMixer* sender, TMixerDev* dev, TMixerItem* item, TMixerCtrl* ctrl) {
          controlEvents.push_back({sender, dev, item, ctrl, sender->MasterVolume()});
        });
    mixer.SetOnLineChange([this](TMixer* sender, TMixerDev* dev, TMixerItem* item) {
      lineEvents.push_back({sender, dev, item});
    });
  }

  SimulatedMixer system;
  TMixer mixer;
  std::vector<ControlEvent> controlEvents;
  std::vector<LineEvent> lineEvents;
};

TEST_F(MixerNotification, AChangeMadeElsewhereRaisesOnControlChangeWithTheMasterLine) {
  mixer.Scan();
  system.ChangeFromOutside(kVolume, {19661, 19661});
  EXPECT_THAT(controlEvents, IsEmpty()) << "delivered by the message loop only";
  toolkit::ProcessPostedMessages();
  TMixerItem* master = mixer.Master();
  EXPECT_THAT(controlEvents,
              ElementsAre(ControlEvent{&mixer, mixer.Devs(0), master, master->VolumeCtrl(), 30}));
  EXPECT_EQ(master->RawBalance(), 1.0f);
}

TEST_F(MixerNotification, NamesTheDeviceTheMessageCameFrom) {
  mixer.Scan();
  system.ChangeFromOutside(kMute, {1, 1}, 1);
  system.ChangeLineFromOutside(0, 1);
  toolkit::ProcessPostedMessages();
  TMixerItem* speakersOfB = mixer.Devs(1)->Items(0);
  ASSERT_EQ(controlEvents.size(), 1u);
  EXPECT_EQ(controlEvents[0].dev, mixer.Devs(1));
  EXPECT_EQ(controlEvents[0].ctrl, speakersOfB->MuteCtrl());
  EXPECT_THAT(lineEvents, ElementsAre(LineEvent{&mixer, mixer.Devs(1), speakersOfB}));
}

TEST_F(MixerNotification, IgnoresWhatTheScanDidNotAdmit) {
  mixer.Scan();
  system.ChangeFromOutside(kBass, {5, 5});
  system.ChangeLineFromOutside(0x10000);  // the microphone, never built
  system.ChangeLineFromOutside(0x4242);
  toolkit::ProcessPostedMessages();
  EXPECT_THAT(controlEvents, IsEmpty());
  EXPECT_THAT(lineEvents, IsEmpty());
}

TEST_F(MixerNotification, IgnoresMessagesForDevicesOfAnEarlierScan) {
  mixer.Scan();
  const HMIXER oldHandle = mixer.Devs(0)->Handle();
  const DWORD_PTR window = system.CallsOf(MixerCall::Open)[0].callback;
  mixer.Scan();
  EXPECT_EQ(system.CallsOf(MixerCall::Open)[2].callback, window) << "the window is kept";
  toolkit::postMessage(window, MM_MIXM_CONTROL_CHANGE, reinterpret_cast<std::uintptr_t>(oldHandle),
                       kVolume);
  toolkit::postMessage(window, MM_MIXM_LINE_CHANGE, reinterpret_cast<std::uintptr_t>(oldHandle), 0);
  toolkit::postMessage(window, 0x0400, reinterpret_cast<std::uintptr_t>(mixer.Devs(0)->Handle()),
                       kVolume);
  toolkit::ProcessPostedMessages();
  EXPECT_THAT(controlEvents, IsEmpty());
  EXPECT_THAT(lineEvents, IsEmpty());
}

TEST_F(MixerNotification, AUsersCallbackWindowTakesTheMessagesInstead) {
  mixer.Scan();
  const DWORD_PTR ownWindow = system.CallsOf(MixerCall::Open)[0].callback;
  std::vector<std::uint32_t> received;
  toolkit::MessageWindow users(
      [&](std::uint32_t msg, std::uintptr_t, std::intptr_t) { received.push_back(msg); });
  mixer.SetCallbackWindow(users.Handle());
  EXPECT_EQ(mixer.CallbackWindow(), users.Handle());
  system.ClearCalls();

  mixer.Scan();

  for (const auto& open : system.CallsOf(MixerCall::Open)) {
    EXPECT_EQ(open.callback, users.Handle());
    EXPECT_EQ(open.flags, CALLBACK_WINDOW);
  }
  EXPECT_FALSE(toolkit::postMessage(ownWindow, MM_MIXM_LINE_CHANGE, 0, 0))
      << "the component's own window is gone";
  system.ChangeFromOutside(kVolume, {0, 0});
  system.ChangeLineFromOutside(0);
  toolkit::ProcessPostedMessages();
  EXPECT_THAT(received, ElementsAre(MM_MIXM_CONTROL_CHANGE, MM_MIXM_LINE_CHANGE));
  EXPECT_THAT(controlEvents, IsEmpty());

  mixer.SetCallbackWindow(0);
  system.ClearCalls();
  mixer.Scan();
  const DWORD_PTR newWindow = system.CallsOf(MixerCall::Open)[0].callback;
  EXPECT_NE(newWindow, 0u);
  EXPECT_NE(newWindow, ownWindow);
  EXPECT_NE(newWindow, users.Handle());
  system.ChangeFromOutside(kVolume, {0, 0});
  toolkit::ProcessPostedMessages();
  EXPECT_EQ(controlEvents.size(), 1u);
}

TEST_F(MixerNotification, AHandlerMayRescanOrReplaceItself) {
  mixer.Scan();
  std::vector<std::string> seen;
  const std::string label(64, 'x');  // state of the handler's own, on the heap
  mixer.SetOnControlChange([&seen, label](TMixer* sender, TMixerDev*, TMixerItem*, TMixerCtrl*) {
    sender->Scan();
    sender->SetOnControlChange(nullptr);
    seen.push_back(label);
  });
  system.ChangeFromOutside(kVolume, {0, 0});
  system.ChangeFromOutside(kVolume, {1, 1});
  toolkit::ProcessPostedMessages();
  EXPECT_THAT(seen, ElementsAre(label));
}

TEST_F(MixerNotification, NothingArrivesAfterTheComponentIsGone) {
  {
    TMixer shortLived(system);
    int calls = 0;
    shortLived.SetOnControlChange([&](TMixer*, TMixerDev*, TMixerItem*, TMixerCtrl*) { ++calls; });
    shortLived.Scan();
    system.ChangeFromOutside(kVolume, {0, 0});
  }
  toolkit::ProcessPostedMessages();
  EXPECT_EQ(system.OpenHandleCount(), 0u);
}

}  // namespace
