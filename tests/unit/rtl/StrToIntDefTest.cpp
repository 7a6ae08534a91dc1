#include "rtl/StrToIntDef.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct IntegerCase {
  std::u16string text;
  int expected;
};

class StrToIntDefTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(StrToIntDefTest, ReadsSettingsIntegers) {
  EXPECT_EQ(StrToIntDef(GetParam().text, 77), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StrToIntDefTest,
    testing::Values(IntegerCase{u"26", 26}, IntegerCase{u"+26", 26}, IntegerCase{u"-5", -5},
                    IntegerCase{u"0", 0}, IntegerCase{u"0x1A", 26}, IntegerCase{u"0X1a", 26},
                    IntegerCase{u"$1A", 26}, IntegerCase{u"$ff", 255},
                    IntegerCase{u"2147483647", 2147483647},
                    IntegerCase{u"-2147483648", -2147483647 - 1}, IntegerCase{u"2147483648", 77},
                    IntegerCase{u"-2147483649", 77}, IntegerCase{u"0xFFFFFFFF", -1},
                    IntegerCase{u"0x100000000", 77}, IntegerCase{u"abc", 77}, IntegerCase{u"", 77},
                    IntegerCase{u"0x", 77}, IntegerCase{u"$", 77}, IntegerCase{u"-", 77},
                    IntegerCase{u" 5", 77}, IntegerCase{u"5 ", 77}, IntegerCase{u"12a", 77},
                    IntegerCase{u"0x1G", 77}, IntegerCase{u"99999999999999999999", 77},
                    IntegerCase{u"\uFF11", 77}));

}  // namespace
