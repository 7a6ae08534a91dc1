#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "TestForm.h"

namespace {

TEST_F(ToolkitTest, KeyUpGoesToTheFocusedControlWhateverTheKey) {
  std::vector<std::uint16_t> listKeys;
  int checkKeys = 0;
  Form.List.SetOnKeyUp([&](toolkit::TObject& sender, std::uint16_t key, toolkit::TShiftState) {
    EXPECT_EQ(&sender, &Form.List);
    listKeys.push_back(key);
  });
  Form.Check.SetOnKeyUp(
      [&](toolkit::TObject&, std::uint16_t, toolkit::TShiftState) { ++checkKeys; });
  Form.List.SetFocus();

  for (WORD key : {WORD{'A'}, WORD{'7'}, WORD{VK_RETURN}, WORD{VK_DOWN}, WORD{VK_F5}}) {
    PressKey(key);
    ReleaseKey(key);
  }

  EXPECT_EQ(listKeys, (std::vector<std::uint16_t>{'A', '7', VK_RETURN, VK_DOWN, VK_F5}));
  EXPECT_EQ(checkKeys, 0);
}

// Tab moving the focus onto the list, a key pressed on another control, a menu's access key: the
// list sees only the release, which must not choose a piece.
TEST_F(ToolkitTest, KeyUpOnlyWhereTheKeyWasPressed) {
  int listKeys = 0;
  Form.List.SetOnKeyUp([&](toolkit::TObject&, std::uint16_t, toolkit::TShiftState) { ++listKeys; });
  Form.Check.SetFocus();
  PressKey('X');
  Form.List.SetFocus();
  ReleaseKey('X');
  ReleaseKey('J');
  PressKey('A');
  Form.Check.SetFocus();
  Form.List.SetFocus();
  ReleaseKey('A');

  EXPECT_EQ(listKeys, 0);
}

// Closes the popup menu that opens while it lives, after noting its entries, by Escape or by an
// entry's access key.
class MenuResponder {
 public:
  explicit MenuResponder(wchar_t accessKey = 0) : FTimer(SetTimer(nullptr, 0, 50, Tick)) {
    current = this;
    FAccessKey = accessKey;
  }
  ~MenuResponder() {
    KillTimer(nullptr, FTimer);
    current = nullptr;
  }
  const std::vector<std::u16string>& Entries() const { return FEntries; }
  bool Opened() const { return FOpened; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (current == nullptr || current->FOpened || menu == nullptr || !IsWindowVisible(menu)) {
      return;
    }
    current->FOpened = true;
    auto* items = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(items); ++i) {
      std::array<wchar_t, 64> text{};
      const int length =
          GetMenuStringW(items, static_cast<UINT>(i), text.data(), 64, MF_BYPOSITION);
      current->FEntries.emplace_back(reinterpret_cast<const char16_t*>(text.data()),
                                     static_cast<std::size_t>(length));
    }
    if (current->FAccessKey != 0) {
      PostMessageW(menu, WM_CHAR, current->FAccessKey, 1);
    } else {
      PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    }
  }

  static inline MenuResponder* current = nullptr;
  wchar_t FAccessKey = 0;
  std::vector<std::u16string> FEntries;
  bool FOpened = false;
  UINT_PTR FTimer;
};

struct MouseCase {
  UINT message;
  toolkit::TMouseButton expected;
  bool opensMenu;
};

class MouseUpTest : public ToolkitTest, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(MouseUpTest, GoesToTheControlUnderThePointerForAnyButtonAndTheRightOneOpensTheMenu) {
  std::vector<toolkit::TMouseButton> listButtons;
  Form.List.SetOnMouseUp(
      [&](toolkit::TObject&, toolkit::TMouseButton button, toolkit::TShiftState, int x, int y) {
        listButtons.push_back(button);
        EXPECT_EQ(x, 30);
        EXPECT_EQ(y, 6);
      });
  Form.List.SetItemIndex(3);
  const MenuResponder menu;

  ReleaseButton(Form.List, GetParam().message, {30, 6});

  EXPECT_EQ(listButtons, std::vector<toolkit::TMouseButton>{GetParam().expected});
  EXPECT_EQ(menu.Opened(), GetParam().opensMenu);
  EXPECT_EQ(Form.List.ItemIndex(), 3);  // a button's release alone selects nothing
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, MouseUpTest,
    ::testing::Values(MouseCase{WM_LBUTTONUP, toolkit::TMouseButton::mbLeft, false},
                      MouseCase{WM_RBUTTONUP, toolkit::TMouseButton::mbRight, true},
                      MouseCase{WM_MBUTTONUP, toolkit::TMouseButton::mbMiddle, false}));

class PopupMenuTest : public ToolkitTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PopupMenuTest, RightClickAnywhereOpensTheWindowMenuAndItsAccessKeyChoosesTheEntry) {
  const std::string where = GetParam();
  HWND target = where == "form"     ? FormWindow()
                : where == "slider" ? Window(Form.Slider)
                : where == "button" ? Window(Form.Button)
                                    : Window(Form.Group);
  int clicks = 0;
  Form.MenuEntry.SetOnClick([&](toolkit::TObject& sender) {
    EXPECT_EQ(&sender, &Form.MenuEntry);
    ++clicks;
  });
  const MenuResponder menu(L'e');

  // What the system does for a right click that no control keeps to itself.
  PostMessageW(target, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
  PostMessageW(target, WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
  Pump();

  EXPECT_EQ(menu.Entries(), std::vector<std::u16string>{u"Entry(&E)"});
  EXPECT_EQ(clicks, 1);
}

INSTANTIATE_TEST_SUITE_P(Places, PopupMenuTest,
                         ::testing::Values("form", "slider", "button", "group"));

class HintTest : public ToolkitTest {
 protected:
  // The text the window's tooltip shows over a control.
  std::u16string TooltipOver(HWND control) {
    HWND tooltip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
    std::array<wchar_t, 256> text{};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = FormWindow();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text.data();
    SendMessageW(tooltip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return reinterpret_cast<const char16_t*>(text.data());
  }

 private:
  static BOOL CALLBACK FindTooltip(HWND window, LPARAM found) {
    std::array<wchar_t, 64> name{};
    GetClassNameW(window, name.data(), 64);
    if (std::wstring(name.data()) == TOOLTIPS_CLASSW) {
      *reinterpret_cast<HWND*>(found) = window;
      return FALSE;
    }
    return TRUE;
  }
};

TEST_F(HintTest, ChangingAHintChangesTheTooltipFromThenOn) {
  EXPECT_EQ(TooltipOver(Window(Form.Slider)), u"slider hint");

  Form.Slider.SetHint(u"再開");

  EXPECT_EQ(TooltipOver(Window(Form.Slider)), u"再開");
}

TEST_F(HintTest, ControlsWithoutAHintShowTheWindowHint) {
  EXPECT_EQ(TooltipOver(Window(Form.List)), u"form hint");
  EXPECT_EQ(TooltipOver(FormWindow()), u"form hint");

  Form.SetHint(u"マウスの右ボタンクリックでポップアップメニュー表示");

  EXPECT_EQ(TooltipOver(Window(Form.Group)), u"マウスの右ボタンクリックでポップアップメニュー表示");
}

}  // namespace
