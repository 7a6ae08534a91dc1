#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "MixerTestTables.h"
#include "rtl/TextConversion.h"

namespace {

using namespace mm;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr DWORD kLineInId = 0x100;
constexpr DWORD kMicId = 0x200;

enum ControlId : DWORD {
  kVolume = 1,
  kUniformVolume,
  kMux,
  kMultipleSelect,
  kPan,
  kEqualizer,
  kCustom,
  kMute,
  kEmptyMux,
  kLineInVolume,
};

SimDevice Panel() {
  const std::vector<SimListItem> sources = {
      {u"Line In", kLineInId, MIXERLINE_COMPONENTTYPE_SRC_LINE},
      {u"Mic", kMicId, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE},
      {u"Stereo Mix", 0x999, MIXERLINE_COMPONENTTYPE_SRC_ANALOG}};
  const DWORD uniformList = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
  SimLine panel = Destination(
      MIXERLINE_COMPONENTTYPE_DST_WAVEIN, u"Recording",
      {VolumeControl({100, 200}, 0, kVolume),
       VolumeControl({300}, MIXERCONTROL_CONTROLF_UNIFORM, kUniformVolume),
       {.type = MIXERCONTROL_CONTROLTYPE_MUX,
        .values = {0, 1, 0},
        .flags = uniformList,
        .name = u"Select",
        .items = sources,
        .id = kMux},
       {.type = MIXERCONTROL_CONTROLTYPE_MIXER,
        .values = {1, 0, 1, 1},
        .flags = MIXERCONTROL_CONTROLF_MULTIPLE,
        .name = u"Mix",
        .items = {sources[0], sources[1]},
        .id = kMultipleSelect},
       {.type = MIXERCONTROL_CONTROLTYPE_PAN, .name = u"Pan", .id = kPan},
       {.type = MIXERCONTROL_CONTROLTYPE_EQUALIZER,
        .flags = uniformList,
        .name = u"EQ",
        .items = {{u"Bass"}, {u"Treble"}},
        .id = kEqualizer},
       {.type = MIXERCONTROL_CONTROLTYPE_CUSTOM, .name = u"Custom", .id = kCustom},
       MuteControl({}, kMute),
       {.type = MIXERCONTROL_CONTROLTYPE_MUX,
        .flags = uniformList,
        .name = u"None",
        .id = kEmptyMux}},
      {Source(MIXERLINE_COMPONENTTYPE_SRC_LINE, u"Line In", {VolumeControl({}, 0, kLineInVolume)}),
       Source(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, u"Mic", {VolumeControl()})});
  panel.sources[0].id = kLineInId;
  panel.sources[1].id = kMicId;
  return {u"Card", {panel}};
}

// Every control of the panel admitted, line-in and microphone sources included.
class MixerValueAccess : public ::testing::Test {
 protected:
  MixerValueAccess() : system({Panel()}), mixer(system) {
    mixer.Target().SetControlType(TMixerControlTypes::FromMask(0x7FFFFFFF));
    mixer.Target().SetLineType(mixer.Target().LineType().Include(ltMicrophone));
    mixer.Scan();
    line = mixer.Devs(0)->Items(0);
    system.ClearCalls();
  }

  TMixerCtrl& Ctrl(DWORD id) { return *mixer.Devs(0)->CtrlOfControlID(id); }

  std::vector<MixerCallRecord> DetailCalls() const {
    auto calls = system.CallsOf(MixerCall::GetControlDetails);
    const auto writes = system.CallsOf(MixerCall::SetControlDetails);
    calls.insert(calls.end(), writes.begin(), writes.end());
    return calls;
  }

  SimulatedMixer system;
  TMixer mixer;
  TMixerItem* line = nullptr;
};

TEST_F(MixerValueAccess, CountsValuesByChannelsAndItems) {
  EXPECT_EQ(line->GetDetailsLength(Ctrl(kVolume)), 2u);
  EXPECT_EQ(line->GetDetailsLength(Ctrl(kUniformVolume)), 1u);
  EXPECT_EQ(line->GetDetailsLength(Ctrl(kMux)), 3u);
  EXPECT_EQ(line->GetDetailsLength(Ctrl(kMultipleSelect)), 4u);
  EXPECT_EQ(line->GetDetailsLength(Ctrl(kMute)), 1u);
}

// Which value forms each control accepts; a refused one raises code 11 before any device call
// and leaves the buffer alone.
TEST_F(MixerValueAccess, AcceptsOnlyTheValueFormsOfTheControlType) {
  enum Form { Boolean, Signed, Unsigned, ListText, WriteBoolean, WriteSigned, WriteUnsigned };
  const std::function<void(TMixerItem&, TMixerCtrl&, std::array<DWORD, 8>&)> call[] = {
      [](TMixerItem& item, TMixerCtrl& ctrl, std::array<DWORD, 8>& buffer) {
        item.GetBoolean(ctrl, {reinterpret_cast<MIXERCONTROLDETAILS_BOOLEAN*>(buffer.data()), 8});
      },
      [](TMixerItem& item, TMixerCtrl& ctrl, std::array<DWORD, 8>& buffer) {
        item.GetSigned(ctrl, {reinterpret_cast<MIXERCONTROLDETAILS_SIGNED*>(buffer.data()), 8});
      },
      [](TMixerItem& item, TMixerCtrl& ctrl, std::array<DWORD, 8>& buffer) {
        item.GetUnsigned(ctrl, {reinterpret_cast<MIXERCONTROLDETAILS_UNSIGNED*>(buffer.data()), 8});
      },
      [](TMixerItem& item, TMixerCtrl& ctrl, std::array<DWORD, 8>&) {
        std::vector<MIXERCONTROLDETAILS_LISTTEXTW> texts(8);
        item.GetListText(ctrl, texts);
      },
      [](TMixerItem& item, TMixerCtrl& ctrl, std::array<DWORD, 8>&) {
        const std::vector<MIXERCONTROLDETAILS_BOOLEAN> values(4, {1});
        item.SetBoolean(ctrl, values);
      },
      [](TMixerItem& item, TMixerCtrl& ctrl, std::array<DWORD, 8>&) {
        const std::vector<MIXERCONTROLDETAILS_SIGNED> values(4, {-5});
        item.SetSigned(ctrl, values);
      },
      [](TMixerItem& item, TMixerCtrl& ctrl, std::array<DWORD, 8>&) {
        const std::vector<MIXERCONTROLDETAILS_UNSIGNED> values(4, {5});
        item.SetUnsigned(ctrl, values);
      },
  };
  const struct {
    DWORD control;
    std::vector<Form> accepted;
  } cases[] = {
      {kVolume, {Unsigned, WriteUnsigned}},
      {kPan, {Signed, WriteSigned}},
      {kMute, {Boolean, WriteBoolean}},
      {kMux, {Boolean, ListText, WriteBoolean}},
      {kMultipleSelect, {Boolean, ListText, WriteBoolean}},
      {kEqualizer, {Unsigned, ListText, WriteUnsigned}},
      {kCustom, {}},
  };
  for (const auto& c : cases) {
    for (int form = Boolean; form <= WriteUnsigned; ++form) {
      SCOPED_TRACE(::testing::Message() << "control " << c.control << ", form " << form);
      system.ClearCalls();
      std::array<DWORD, 8> buffer;
      buffer.fill(0xABCD);
      const bool accepted = std::ranges::find(c.accepted, form) != c.accepted.end();
      if (accepted) {
        EXPECT_NO_THROW(call[form](*line, Ctrl(c.control), buffer));
        EXPECT_EQ(DetailCalls().size(), 1u);
        continue;
      }
      try {
        call[form](*line, Ctrl(c.control), buffer);
        ADD_FAILURE() << "accepted";
      } catch (const EMixerError& error) {
        EXPECT_EQ(error.ErrorCode(), MMSYSERR_INVALPARAM);
        EXPECT_EQ(error.Ctrl(), &Ctrl(c.control));
        EXPECT_EQ(error.Message(), u"無効なパラメータです(" + Ctrl(c.control).Name() + u")");
      }
      EXPECT_THAT(DetailCalls(), IsEmpty());
      EXPECT_EQ(buffer[0], 0xABCDu);
    }
  }
}

TEST_F(MixerValueAccess, RefusesAControlOfAnotherLineAndAShortBufferBeforeAnyDeviceCall) {
  TMixerCtrl& foreign = Ctrl(kLineInVolume);
  const std::function<void()> requests[] = {
      [&] {
        std::vector<MIXERCONTROLDETAILS_UNSIGNED> values(2);
        line->GetUnsigned(foreign, values);
      },
      [&] { line->SetUnsigned(foreign, std::vector<MIXERCONTROLDETAILS_UNSIGNED>(2)); },
      [&] {
        std::vector<MIXERCONTROLDETAILS_BOOLEAN> values(1);
        line->GetBoolean(Ctrl(kMux), values);  // three items
      },
      [&] {
        std::vector<MIXERCONTROLDETAILS_UNSIGNED> values(1, {77});
        line->GetUnsigned(Ctrl(kVolume), values);  // two channels
        ADD_FAILURE() << "read " << values[0].dwValue;
      },
      [&] { line->SetUnsigned(Ctrl(kVolume), std::vector<MIXERCONTROLDETAILS_UNSIGNED>(1)); },
      [&] { line->SetBoolean(Ctrl(kMultipleSelect), std::vector<MIXERCONTROLDETAILS_BOOLEAN>(3)); },
  };
  for (std::size_t i = 0; i < std::size(requests); ++i) {
    SCOPED_TRACE(i);
    try {
      requests[i]();
      ADD_FAILURE() << "accepted";
    } catch (const EMixerError& error) {
      EXPECT_EQ(error.ErrorCode(), MMSYSERR_INVALPARAM);
    }
  }
  EXPECT_THAT(DetailCalls(), IsEmpty());
}

TEST_F(MixerValueAccess, ReadsExactlyTheControlsValuesIntoALargerBuffer) {
  std::vector<MIXERCONTROLDETAILS_UNSIGNED> values(3, {77});
  EXPECT_TRUE(line->GetUnsigned(Ctrl(kUniformVolume), values));
  EXPECT_EQ(values[0].dwValue, 300u);
  EXPECT_EQ(values[1].dwValue, 0u);
  EXPECT_EQ(values[2].dwValue, 0u);
  const auto reads = system.CallsOf(MixerCall::GetControlDetails);
  ASSERT_EQ(reads.size(), 1u);
  EXPECT_EQ(reads[0].flags, 0x80000000u);
  EXPECT_EQ(reads[0].size, sizeof(MIXERCONTROLDETAILS));
  EXPECT_EQ(reads[0].channels, 1u);
  EXPECT_EQ(reads[0].multipleItems, 0u);
  EXPECT_EQ(reads[0].detailSize, 4u);

  std::vector<MIXERCONTROLDETAILS_BOOLEAN> mix(4);
  line->GetBoolean(Ctrl(kMultipleSelect), mix);
  EXPECT_EQ(mix[0].fValue + mix[1].fValue * 2 + mix[2].fValue * 4 + mix[3].fValue * 8, 13);
  EXPECT_EQ(system.CallsOf(MixerCall::GetControlDetails)[1].channels, 2u);
  EXPECT_EQ(system.CallsOf(MixerCall::GetControlDetails)[1].multipleItems, 2u);

  const std::vector<MIXERCONTROLDETAILS_SIGNED> pan = {{-100}, {100}, {5}};
  line->SetSigned(Ctrl(kPan), pan);
  EXPECT_THAT(system.Values(kPan), ElementsAre(static_cast<DWORD>(-100), 100u));
  EXPECT_EQ(system.CallsOf(MixerCall::SetControlDetails)[0].flags, 0x80000000u);
}

TEST_F(MixerValueAccess, ReadsListTexts) {
  std::vector<MIXERCONTROLDETAILS_LISTTEXTW> texts(3);
  EXPECT_TRUE(line->GetListText(Ctrl(kMux), texts));
  EXPECT_EQ(TextOfField(texts[2].szName), u"Stereo Mix");
  EXPECT_EQ(texts[0].dwParam1, kLineInId);
  EXPECT_EQ(texts[1].dwParam2, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
  const auto reads = system.CallsOf(MixerCall::GetControlDetails);
  ASSERT_EQ(reads.size(), 1u);
  EXPECT_EQ(reads[0].flags, 0x80000001u);
  EXPECT_EQ(reads[0].detailSize, 136u);
  EXPECT_EQ(reads[0].multipleItems, 3u);
}

TEST_F(MixerValueAccess, WritingListTextsOnlyClearsTheBuffer) {
  std::vector<MIXERCONTROLDETAILS_LISTTEXTW> texts(2);
  texts[0].dwParam1 = 5;
  texts[1].szName[0] = u'x';
  line->SetListText(Ctrl(kMux), texts);
  EXPECT_EQ(texts[0].dwParam1, 0u);
  EXPECT_EQ(texts[1].szName[0], 0);
  EXPECT_THAT(system.Calls(), IsEmpty());
  EXPECT_THROW(line->SetListText(Ctrl(kVolume), texts), EMixerError);
}

TEST_F(MixerValueAccess, ADeviceFailureRaisesItsCodeAfterClearingTheReadBuffer) {
  system.Fail(MixerCall::GetControlDetails, MMSYSERR_NOMEM);
  system.Fail(MixerCall::SetControlDetails, MIXERR_INVALVALUE);
  std::vector<MIXERCONTROLDETAILS_UNSIGNED> values(2, {77});
  try {
    line->GetUnsigned(Ctrl(kVolume), values);
    ADD_FAILURE() << "no error";
  } catch (const EMixerError& error) {
    EXPECT_EQ(error.ErrorCode(), MMSYSERR_NOMEM);
    EXPECT_EQ(error.Message(), u"メモリを割り当てられないかメモリをロックできません(Volume)");
  }
  EXPECT_EQ(values[0].dwValue, 0u);
  try {
    line->SetUnsigned(Ctrl(kVolume), values);
    ADD_FAILURE() << "no error";
  } catch (const EMixerError& error) {
    EXPECT_EQ(error.ErrorCode(), 1026u);
    EXPECT_EQ(error.Message(), u"不明なエラー:1026(Volume)");
    EXPECT_EQ(error.Ctrl(), &Ctrl(kVolume));
  }
}

TEST_F(MixerValueAccess, ListsTheItemsOfTheFirstMultipleItemControl) {
  TMixerMultipleItems* list = line->MultipleItems();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(line->MultipleItems(), list);
  EXPECT_EQ(list->Ctrl(), &Ctrl(kMux));
  ASSERT_EQ(list->Count(), 3);
  EXPECT_EQ(*list->Items(1),
            (TMixerMultipleItemData{u"Mic", kMicId, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE}));
  EXPECT_EQ(list->GetItem(3), nullptr);
  EXPECT_EQ(list->GetItem(-1), nullptr);
  EXPECT_EQ(list->IndexOfName(u"stereo MIX"), 2);
  EXPECT_EQ(list->IndexOfName(u"Stereo"), -1);
  EXPECT_EQ(list->IndexOfParam1(kMicId), 1);
  EXPECT_EQ(list->IndexOfParam2(MIXERLINE_COMPONENTTYPE_SRC_LINE), 0);
  EXPECT_EQ(list->IndexOfParam2(12345), -1);
  EXPECT_EQ(list->MixerItemOfIndex(0), mixer.Devs(0)->ItemOfLineID(kLineInId));
  EXPECT_EQ(list->MixerItemOfIndex(2), nullptr);  // no such line
  EXPECT_EQ(list->MixerItemOfIndex(3), nullptr);

  list->SetCtrl(&Ctrl(kEmptyMux));
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(list->GetItem(0), nullptr);
  EXPECT_EQ(list->SelectedIndex(), -1);
  list->SetCtrl(nullptr);
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(list->SelectedItem(), nullptr);
}

TEST_F(MixerValueAccess, SelectsOneItemOfASingleSelectControl) {
  TMixerMultipleItems& list = *line->MultipleItems();
  EXPECT_EQ(list.SelectedIndex(), 1);
  EXPECT_EQ(list.SelectedItem(), mixer.Devs(0)->ItemOfLineID(kMicId));

  system.ClearCalls();
  for (const std::int32_t ignored : {1, 3, -1, 300}) {
    list.SetSelectedIndex(ignored);
  }
  EXPECT_THAT(system.CallsOf(MixerCall::SetControlDetails), IsEmpty());

  list.SetSelectedIndex(2);
  const auto writes = system.CallsOf(MixerCall::SetControlDetails);
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_THAT(writes[0].values, ElementsAre(0u, 0u, 1u));
  EXPECT_EQ(writes[0].channels, 1u);
  EXPECT_EQ(writes[0].multipleItems, 3u);
  EXPECT_EQ(list.SelectedIndex(), 2);
  EXPECT_EQ(list.SelectedItem(), nullptr);  // the row names no line of the device

  list.SetSelectedItem(*mixer.Devs(0)->ItemOfLineID(kLineInId));
  EXPECT_THAT(system.Values(kMux), ElementsAre(1u, 0u, 0u));
  system.ClearCalls();
  list.SetSelectedItem(*mixer.Devs(0)->ItemOfLineID(kLineInId));
  list.SetSelectedItem(*line);  // not in the list
  EXPECT_THAT(system.CallsOf(MixerCall::SetControlDetails), IsEmpty());
}

TEST_F(MixerValueAccess, AMultipleSelectControlHasAListButNoSelection) {
  TMixerMultipleItems& list = *line->MultipleItems();
  list.SetCtrl(&Ctrl(kMultipleSelect));
  EXPECT_EQ(list.Count(), 4);  // its two items, once per channel
  system.ClearCalls();
  EXPECT_EQ(list.SelectedIndex(), -1);
  EXPECT_EQ(list.SelectedItem(), nullptr);
  list.SetSelectedIndex(1);
  list.SetSelectedItem(*mixer.Devs(0)->ItemOfLineID(kMicId));
  EXPECT_THAT(system.Calls(), IsEmpty());
}

TEST_F(MixerValueAccess, AListThatCannotBeLoadedStaysEmptyAndReportsTheError) {
  TMixerMultipleItems& list = *line->MultipleItems();
  system.Fail(MixerCall::GetControlDetails, MMSYSERR_NODRIVER);
  EXPECT_THROW(list.SetCtrl(&Ctrl(kMux)), EMixerError);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_THROW(list.SetCtrl(&Ctrl(kLineInVolume)), EMixerError);  // another line's control
  system.ClearFailures();
  list.SetCtrl(&Ctrl(kEqualizer));
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.SelectedIndex(), -1);
}

}  // namespace
