#include <windows.h>

#include "toolkit/win32/WinGlyph.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Images.h"

namespace {

constexpr COLORREF kBackground = RGB(10, 200, 30);

// The glyph drawn on a background of its own colour: the pixels as the screen would show them.
class Drawn {
 public:
  Drawn(const toolkit::win32::Glyph& glyph, bool enabled)
      : FDc(CreateCompatibleDC(nullptr)),
        FBitmap(CreateBitmap(glyph.Width(), glyph.Height(), 1, 32, nullptr)) {
    FPrevious = SelectObject(FDc, FBitmap);
    RECT all{0, 0, glyph.Width(), glyph.Height()};
    HBRUSH brush = CreateSolidBrush(kBackground);
    FillRect(FDc, &all, brush);
    DeleteObject(brush);
    glyph.Draw(FDc, 0, 0, enabled);
  }
  ~Drawn() {
    SelectObject(FDc, FPrevious);
    DeleteObject(FBitmap);
    DeleteDC(FDc);
  }
  COLORREF At(int x, int y) const { return GetPixel(FDc, x, y); }

 private:
  HDC FDc;
  HBITMAP FBitmap;
  HGDIOBJ FPrevious;
};

struct GlyphCase {
  const char* file;
  POINT painted;  // a pixel of the picture itself
};

class GlyphTest : public ::testing::TestWithParam<GlyphCase> {};

TEST_P(GlyphTest, TheBottomLeftColourIsTransparentAndThePictureIsDrawn) {
  const toolkit::win32::Glyph glyph(ReadImage(GetParam().file));
  ASSERT_EQ(glyph.Width(), 48);
  ASSERT_EQ(glyph.Height(), 48);

  const Drawn enabled(glyph, true);
  const Drawn disabled(glyph, false);

  for (POINT corner : {POINT{0, 47}, POINT{0, 0}, POINT{47, 0}, POINT{47, 47}}) {
    EXPECT_EQ(enabled.At(corner.x, corner.y), kBackground) << corner.x << "," << corner.y;
    EXPECT_EQ(disabled.At(corner.x, corner.y), kBackground);
  }
  const COLORREF picture = enabled.At(GetParam().painted.x, GetParam().painted.y);
  EXPECT_NE(picture, kBackground);
  const COLORREF greyed = disabled.At(GetParam().painted.x, GetParam().painted.y);
  EXPECT_EQ(GetRValue(greyed), GetGValue(greyed));
  EXPECT_EQ(GetGValue(greyed), GetBValue(greyed));
  EXPECT_GE(GetRValue(greyed), 128);
}

// skip-back.bmp has a palette of 255 colours and a background of index 255, after its end.
INSTANTIATE_TEST_SUITE_P(Images, GlyphTest,
                         ::testing::Values(GlyphCase{"pause.bmp", {17, 24}},
                                           GlyphCase{"arrow.bmp", {20, 24}},
                                           GlyphCase{"skip-forward.bmp", {24, 24}},
                                           GlyphCase{"skip-back.bmp", {24, 24}}));

}  // namespace
