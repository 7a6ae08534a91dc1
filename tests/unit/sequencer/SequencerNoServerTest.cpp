// No sound server and no sound card: opening a device fails with a clear code and text.

#include <gtest/gtest.h>

#include "sequencer/SequencerFixture.h"

namespace {

class SequencerWithoutSound : public sequencer_test::SequencerFixture {
 protected:
  SequencerWithoutSound() : SequencerFixture(sequencer::AudioOutput::kDevice) {}
};

TEST_F(SequencerWithoutSound, OpenFailsWithAHardwareErrorThatSaysWhy) {
  mm::MCIDEVICEID device = 0;
  EXPECT_EQ(Open(Write("piece.mid", sequencer_test::Melody(1)), device), mm::MCIERR_HARDWARE);
  EXPECT_EQ(FApi.SynthesizerInUse(), nullptr);
  mm::WCHAR text[256] = {};
  ASSERT_EQ(FApi.mciGetErrorStringW(mm::MCIERR_HARDWARE, text, 256), mm::TRUE);
  EXPECT_NE(std::u16string_view(text).find(u"音声出力"), std::u16string_view::npos);
}

TEST_F(SequencerWithoutSound, AFailedPreparationLeavesTheOpenToFailTheSameWay) {
  FApi.PrepareSynthesizer();
  mm::MCIDEVICEID device = 0;
  EXPECT_EQ(Open(Write("piece.mid", sequencer_test::Melody(1)), device), mm::MCIERR_HARDWARE);
  EXPECT_EQ(FApi.SynthesizerInUse(), nullptr);
}

}  // namespace
