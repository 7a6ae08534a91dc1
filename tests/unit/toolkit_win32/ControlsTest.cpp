#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <vector>

#include "Images.h"
#include "TestForm.h"
#include "rtl/Exception.h"

namespace {

struct PositionCase {
  int start;
  int set;
  int expected;
  int changeEvents;
};

class TrackBarPositionTest : public ToolkitTest,
                             public ::testing::WithParamInterface<PositionCase> {};

TEST_P(TrackBarPositionTest, CodeClampsMovesTheTrackbarAndRaisesChangeOnlyOnARealChange) {
  const PositionCase& row = GetParam();
  Form.Slider.SetPosition(row.start);
  int changes = 0;
  Form.Slider.SetOnChange([&](toolkit::TObject&) { ++changes; });

  Form.Slider.SetPosition(row.set);
  Pump();

  EXPECT_EQ(Form.Slider.Position(), row.expected);
  EXPECT_EQ(SendMessageW(Window(Form.Slider), TBM_GETPOS, 0, 0), row.expected);
  EXPECT_EQ(changes, row.changeEvents);
}

INSTANTIATE_TEST_SUITE_P(Rows, TrackBarPositionTest,
                         ::testing::Values(PositionCase{40, 73, 73, 1},     // a change
                                           PositionCase{40, 40, 40, 0},     // same position
                                           PositionCase{40, 150, 100, 1},   // clamped to max
                                           PositionCase{100, 150, 100, 0},  // clamped, no change
                                           PositionCase{40, -5, 0, 1}));    // clamped to min

TEST_F(ToolkitTest, TrackBarKeysMoveByOneAndPagesByTwoWithAChangeForEveryStep) {
  Form.Slider.SetPosition(10);
  std::vector<int> seen;
  Form.Slider.SetOnChange([&](toolkit::TObject&) { seen.push_back(Form.Slider.Position()); });
  Form.Slider.SetFocus();

  for (WORD key : {VK_RIGHT, VK_RIGHT, VK_NEXT, VK_LEFT}) {
    PressKey(key);
    ReleaseKey(key);
  }

  EXPECT_EQ(seen, (std::vector<int>{11, 12, 14, 13}));
}

TEST_F(ToolkitTest, TrackBarShowsATickForEveryUnitAndItsSelectionRange) {
  Form.Slider.SetRange(1, 120);
  Form.Slider.SetSelection(1, 120);
  HWND slider = Window(Form.Slider);

  EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 1);
  EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 120);
  EXPECT_EQ(SendMessageW(slider, TBM_GETNUMTICS, 0, 0), 120);
  EXPECT_EQ(SendMessageW(slider, TBM_GETSELSTART, 0, 0), 1);
  EXPECT_EQ(SendMessageW(slider, TBM_GETSELEND, 0, 0), 120);
  const LONG style = GetWindowLongW(slider, GWL_STYLE);
  EXPECT_EQ(style & (TBS_VERT | TBS_TOP), 0);  // horizontal, ticks below
}

TEST_F(ToolkitTest, CheckBoxUserClicksAndCodeBothRaiseClickOnAChange) {
  std::vector<bool> seen;
  Form.Check.SetOnClick([&](toolkit::TObject&) { seen.push_back(Form.Check.Checked()); });

  SendMessageW(Window(Form.Check), BM_CLICK, 0, 0);
  Pump();
  Form.Check.SetChecked(false);
  Form.Check.SetChecked(false);

  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
  EXPECT_EQ(SendMessageW(Window(Form.Check), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ToolkitTest, ListBoxSelectionFromCodeShowsInTheListAndMinusOneClearsIt) {
  EXPECT_EQ(Form.List.ItemIndex(), -1);
  EXPECT_EQ(SendMessageW(Window(Form.List), LB_GETCOUNT, 0, 0), 5);

  Form.List.SetItemIndex(3);
  EXPECT_EQ(Form.List.ItemIndex(), 3);
  EXPECT_EQ(SendMessageW(Window(Form.List), LB_GETCURSEL, 0, 0), 3);

  Form.List.SetItemIndex(-1);
  EXPECT_EQ(Form.List.ItemIndex(), -1);
  Form.List.SetItemIndex(5);  // no such row
  EXPECT_EQ(Form.List.ItemIndex(), -1);
}

TEST_F(ToolkitTest, ListBoxRowsHaveTheirHeightAndAClickSelectsTheRowUnderThePointer) {
  Form.List.SetItemHeight(13);
  EXPECT_EQ(SendMessageW(Window(Form.List), LB_GETITEMHEIGHT, 0, 0), 13);

  PostMessageW(Window(Form.List), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 13 * 2 + 4));
  ReleaseButton(Form.List, WM_LBUTTONUP, {20, 13 * 2 + 4});

  EXPECT_EQ(Form.List.ItemIndex(), 2);
}

TEST_F(ToolkitTest, ImageButtonClicksWithTheMouseSpaceAndReturn) {
  int clicks = 0;
  Form.Button.SetOnClick([&](toolkit::TObject& sender) {
    EXPECT_EQ(&sender, &Form.Button);
    ++clicks;
  });
  Form.Button.SetFocus();

  SendMessageW(Window(Form.Button), BM_CLICK, 0, 0);
  Pump();
  PressKey(VK_SPACE);
  ReleaseKey(VK_SPACE);
  PressKey(VK_RETURN);
  ReleaseKey(VK_RETURN);

  EXPECT_EQ(clicks, 3);
}

TEST_F(ToolkitTest, ImageButtonTakesBitmapFilesAndRefusesOtherData) {
  for (const char* name : {"pause.bmp", "arrow.bmp", "skip-forward.bmp", "skip-back.bmp"}) {
    EXPECT_NO_THROW(Form.Button.LoadGlyph(ReadImage(name))) << name;
  }
  const std::vector<std::byte> notABitmap(100, std::byte{0x42});
  try {
    Form.Button.LoadGlyph(notABitmap);
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), u"ビットマップ イメージは有効ではありません");
  }
}

}  // namespace
