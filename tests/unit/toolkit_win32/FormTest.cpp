#include <string>

#include "TestForm.h"
#include "rtl/Exception.h"

namespace {

TEST_F(ToolkitTest, TheWindowClassIsTheFormsClassSoOtherProgramsFindTheWindow) {
  EXPECT_EQ(FindWindowW(L"TestForm", L"Test"), FormWindow());
}

TEST_F(ToolkitTest, TheWindowHasAFixedSizeAndCanOnlyBeMinimised) {
  const LONG style = GetWindowLongW(FormWindow(), GWL_STYLE);
  EXPECT_NE(style & WS_MINIMIZEBOX, 0);
  EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
  EXPECT_EQ(style & WS_THICKFRAME, 0);
  RECT client{};
  GetClientRect(FormWindow(), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
}

TEST_F(ToolkitTest, ThePositionIsTheOuterCornerAlsoWhileMinimised) {
  Form.SetLeft(40);
  Form.SetTop(30);
  RECT outer{};
  GetWindowRect(FormWindow(), &outer);
  EXPECT_EQ(outer.left, 40);
  EXPECT_EQ(outer.top, 30);

  ShowWindow(FormWindow(), SW_MINIMIZE);
  Pump();
  EXPECT_TRUE(Form.Minimized());
  EXPECT_EQ(Form.Left(), 40);
  EXPECT_EQ(Form.Top(), 30);

  App.Restore();
  Pump();
  EXPECT_FALSE(Form.Minimized());
  EXPECT_FALSE(IsIconic(FormWindow()));
}

TEST_F(ToolkitTest, ClosingHidesTheWindowAndEndsTheMessageLoop) {
  PostMessageW(FormWindow(), WM_CLOSE, 0, 0);
  PostMessageW(FormWindow(), WM_NULL, 0, 0);
  MSG quit{};
  Pump();
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_FALSE(Form.Visible());
  EXPECT_TRUE(IsWindow(FormWindow()));  // destroyed with the form, after its destroy handler
}

BOOL CALLBACK FindApplicationWindow(HWND window, LPARAM found) {
  wchar_t name[32]{};
  GetClassNameW(window, name, 32);
  if (std::wstring(name) == L"TApplication") {
    *reinterpret_cast<HWND*>(found) = window;
  }
  return TRUE;
}

// The process ends with the session, without returning from the message loop: the destroy
// handlers run when the first window hears of it, once, and only when the session really ends.
TEST_F(ToolkitTest, TheSessionsEndRunsTheDestroyHandlerOnceWhicheverWindowHearsFirst) {
  int destroyed = 0;
  Form.SetOnDestroy([&destroyed](toolkit::TObject&) { ++destroyed; });
  HWND applicationWindow = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindApplicationWindow,
                    reinterpret_cast<LPARAM>(&applicationWindow));
  ASSERT_NE(applicationWindow, nullptr);

  EXPECT_EQ(SendMessageW(FormWindow(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_EQ(SendMessageW(applicationWindow, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(FormWindow(), WM_ENDSESSION, FALSE, 0);  // another program refused: it goes on
  EXPECT_EQ(destroyed, 0);

  SendMessageW(applicationWindow, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(destroyed, 1);
  SendMessageW(FormWindow(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(destroyed, 1);
  Form.SetOnDestroy({});
}

TEST_F(ToolkitTest, ShowingTheFormFocusesTheFirstControlInTabOrder) {
  EXPECT_TRUE(Form.Check.Focused());
  EXPECT_EQ(GetFocus(), Window(Form.Check));
}

TEST_F(ToolkitTest, TabVisitsTheControlsInTabOrderAndShiftTabGoesBack) {
  std::vector<HWND> visited;
  for (int step = 0; step < 4; ++step) {
    PressKey(VK_TAB);
    visited.push_back(GetFocus());
  }
  EXPECT_EQ(visited, (std::vector<HWND>{Window(Form.Button), Window(Form.List), Window(Form.Slider),
                                        Window(Form.Check)}));
}

TEST_F(ToolkitTest, DisablingTheFocusedControlMovesTheFocusToTheNext) {
  Form.List.SetFocus();
  ASSERT_EQ(GetFocus(), Window(Form.List));

  Form.List.SetEnabled(false);

  EXPECT_FALSE(Form.List.Focused());
  EXPECT_TRUE(Form.Slider.Focused());
  EXPECT_EQ(GetFocus(), Window(Form.Slider));
}

TEST_F(ToolkitTest, AnInactiveWindowKeepsItsFocusForWhenItIsActivatedAgain) {
  SetActiveWindow(nullptr);
  Pump();
  Form.List.SetFocus();
  EXPECT_TRUE(Form.List.Focused());

  SetForegroundWindow(FormWindow());
  Pump();

  EXPECT_EQ(GetFocus(), Window(Form.List));
}

struct RefusedFocusCase {
  const char* name;
  void (*prepare)(TestForm&);
};

class RefusedFocusTest : public ToolkitTest,
                         public ::testing::WithParamInterface<RefusedFocusCase> {};

TEST_P(RefusedFocusTest, FailsWithTheToolkitErrorAndKeepsTheFocus) {
  GetParam().prepare(Form);
  ASSERT_TRUE(Form.Check.Focused());

  try {
    Form.Slider.SetFocus();
    FAIL() << "SetFocus did not fail";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), u"無効/非表示ウィンドウにはフォーカスを設定できません");
  }
  EXPECT_EQ(GetFocus(), Window(Form.Check));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedFocusTest,
    ::testing::Values(
        RefusedFocusCase{"disabled", [](TestForm& form) { form.Slider.SetEnabled(false); }},
        RefusedFocusCase{"hidden", [](TestForm& form) { form.Slider.SetVisible(false); }},
        RefusedFocusCase{"in_disabled_group", [](TestForm& form) { form.Group.SetEnabled(false); }},
        RefusedFocusCase{"in_hidden_group", [](TestForm& form) { form.Group.SetVisible(false); }}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
