#include <windows.h>

#include <array>
#include <string>

#include "TestForm.h"

namespace {

// The name a screen reader reads through MSAA's standard objects: the window's text, as
// WM_GETTEXT gives it to other processes.
std::u16string NameOf(HWND window) {
  std::array<wchar_t, 256> text{};
  const auto length =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), length);
  return {reinterpret_cast<const char16_t*>(text.data()), static_cast<std::size_t>(length)};
}

TEST_F(ToolkitTest, EveryControlIsNamedByItsCaptionHintOrGroup) {
  Form.Button.SetHint(u"Next Music");
  Form.List.SetHint(u"list hint");

  EXPECT_EQ(NameOf(Window(Form.Button)), u"Next Music");
  EXPECT_EQ(NameOf(Window(Form.Check)), u"check");
  EXPECT_EQ(NameOf(Window(Form.List)), u"list hint");
  EXPECT_EQ(NameOf(Window(Form.Slider)), u"group");
  EXPECT_EQ(NameOf(FormWindow()), u"Test");
}

TEST_F(ToolkitTest, NamesFollowHintsAndCaptions) {
  Form.Button.SetHint(u"一時停止");
  Form.Button.SetHint(u"再開");
  Form.Group.SetCaption(u"音量");

  EXPECT_EQ(NameOf(Window(Form.Button)), u"再開");
  EXPECT_EQ(NameOf(Window(Form.Slider)), u"音量");
}

TEST_F(ToolkitTest, ASliderNameIsCutToTheBufferAndEnded) {
  Form.Group.SetCaption(u"Music Track");
  std::array<wchar_t, 6> text{};
  text.fill(L'x');

  EXPECT_EQ(SendMessageW(Window(Form.Slider), WM_GETTEXT, text.size(),
                         reinterpret_cast<LPARAM>(text.data())),
            5);
  EXPECT_EQ(std::wstring(text.data()), L"Music");
  EXPECT_EQ(SendMessageW(Window(Form.Slider), WM_GETTEXT, 0, reinterpret_cast<LPARAM>(text.data())),
            0);
}

}  // namespace
