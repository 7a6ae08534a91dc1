#include <gtest/gtest.h>

#include <cstddef>

#include "multimedia/mci.h"
#include "multimedia/mixerapi.h"

namespace {

// The 32-bit figures are the system's; pointer-sized fields grow in 64-bit builds as the
// system's own headers make them, the byte packing staying the same.
TEST(RecordLayout, MatchesTheSystemRecords) {
  const bool is32 = sizeof(void*) == 4;
  EXPECT_EQ(sizeof(mm::MIXERCAPSW), 80u);
  EXPECT_EQ(sizeof(mm::MIXERLINEW), is32 ? 280u : 284u);
  EXPECT_EQ(sizeof(mm::MIXERLINECONTROLSW), is32 ? 24u : 28u);
  EXPECT_EQ(sizeof(mm::MIXERCONTROLW), 228u);
  EXPECT_EQ(sizeof(mm::MIXERCONTROLDETAILS), is32 ? 24u : 32u);
  EXPECT_EQ(sizeof(mm::MIXERCONTROLDETAILS_LISTTEXTW), 136u);
  EXPECT_EQ(offsetof(mm::MIXERLINEW, szShortName), is32 ? 40u : 44u);
  EXPECT_EQ(offsetof(mm::MIXERLINEW, Target), is32 ? 200u : 204u);
  EXPECT_EQ(offsetof(mm::MIXERCONTROLW, szName), 52u);
  EXPECT_EQ(sizeof(mm::MCI_OPEN_PARMSW), is32 ? 20u : 36u);
  EXPECT_EQ(sizeof(mm::MCI_PLAY_PARMS), is32 ? 12u : 16u);
  EXPECT_EQ(sizeof(mm::MCI_GETDEVCAPS_PARMS), is32 ? 12u : 16u);
}

}  // namespace
