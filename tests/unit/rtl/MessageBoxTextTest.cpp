#include "rtl/MessageBoxText.h"

#include <gtest/gtest.h>

#include "rtl/Exception.h"

namespace {

TEST(MessageBoxText, AppendsFullStopAfterCharactersAboveIt) {
  EXPECT_EQ(MessageBoxText(u"Disk full"), u"Disk full.");
  EXPECT_EQ(MessageBoxText(u"RS_0 リソースが見つかりません"), u"RS_0 リソースが見つかりません.");
  EXPECT_EQ(MessageBoxText(u"version 2"), u"version 2.");  // '2' is above '.'
  EXPECT_EQ(MessageBoxText(u"Done."), u"Done.");
  EXPECT_EQ(MessageBoxText(u"What?"), u"What?.");  // '?' is above '.'
  EXPECT_EQ(MessageBoxText(u"Stop!"), u"Stop!");   // '!' is below '.'
  EXPECT_EQ(MessageBoxText(u"a-"), u"a-");
  EXPECT_EQ(MessageBoxText(u""), u"");
}

TEST(Exception, CarriesItsMessageInBothEncodings) {
  const Exception error(u"MCI デバイスがありません");
  EXPECT_EQ(error.Message(), u"MCI デバイスがありません");
  EXPECT_STREQ(error.what(),
               "MCI \xE3\x83\x87\xE3\x83\x90\xE3\x82\xA4\xE3\x82\xB9"
               "\xE3\x81\x8C\xE3\x81\x82\xE3\x82\x8A\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93");
}

}  // namespace
