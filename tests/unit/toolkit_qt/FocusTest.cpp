#include "TestForm.h"
#include "rtl/Exception.h"

namespace {

TEST_F(ToolkitTest, ShowingTheFormFocusesTheFirstControlInTabOrder) {
  EXPECT_TRUE(Form.Check.Focused());
  EXPECT_EQ(Form.TabChain(),
            (std::vector<toolkit::TControl*>{&Form.Check, &Form.Button, &Form.List, &Form.Slider}));
}

TEST_F(ToolkitTest, TabVisitsTheControlsInTabOrder) {
  std::vector<toolkit::TControl*> visited;
  for (int step = 0; step < 4; ++step) {
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Tab);
    for (toolkit::TControl* control : Form.TabChain()) {
      if (control->Focused()) {
        visited.push_back(control);
      }
    }
  }
  EXPECT_EQ(visited,
            (std::vector<toolkit::TControl*>{&Form.Button, &Form.List, &Form.Slider, &Form.Check}));
}

TEST_F(ToolkitTest, DisablingTheFocusedControlMovesTheFocusAway) {
  Form.List.SetFocus();
  ASSERT_TRUE(Form.List.Focused());

  Form.List.SetEnabled(false);

  EXPECT_FALSE(Form.List.Focused());
  EXPECT_TRUE(Form.Slider.Focused());
}

TEST_F(ToolkitTest, SetFocusOnAFocusableControlMovesTheFocus) {
  Form.Slider.SetFocus();
  EXPECT_TRUE(Form.Slider.Focused());
  EXPECT_FALSE(Form.Check.Focused());
  Form.Slider.SetFocus();  // already focused: nothing to do
  EXPECT_TRUE(Form.Slider.Focused());
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
  EXPECT_TRUE(Form.Check.Focused());
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
