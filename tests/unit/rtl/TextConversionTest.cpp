#include "rtl/TextConversion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextConversion, RoundTripsEveryPlane) {
  // ASCII, Japanese (BMP) and a musical symbol outside the BMP (a surrogate pair).
  const std::u16string text = u"Kalvio すでに起動 \U0001D11E end";
  const std::string utf8 = Utf16ToUtf8(text);
  EXPECT_EQ(utf8,
            "Kalvio \xE3\x81\x99\xE3\x81\xA7\xE3\x81\xAB\xE8\xB5\xB7\xE5\x8B\x95 "
            "\xF0\x9D\x84\x9E end");
  EXPECT_EQ(Utf8ToUtf16(utf8), text);
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9D\x84\x9E"), (std::u16string{0xD834, 0xDD1E}));
}

TEST(TextConversion, ReplacesIllFormedInput) {
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', 0xD800, u'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDC00}), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");      // overlong "/"
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD");  // encoded surrogate
  EXPECT_EQ(Utf8ToUtf16("\xE3\x81"), u"\uFFFD");      // truncated
}

}  // namespace
