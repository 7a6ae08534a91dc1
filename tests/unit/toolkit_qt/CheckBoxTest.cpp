#include <QCheckBox>

#include "TestForm.h"

namespace {

struct CheckCase {
  const char* name;
  bool start;
  bool set;
  int clickEvents;
};

class CheckBoxCodeTest : public ToolkitTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckBoxCodeTest, CodeRaisesClickOnlyWhenTheStateChanges) {
  const CheckCase& row = GetParam();
  Form.Check.SetChecked(row.start);
  int clicks = 0;
  Form.Check.SetOnClick([&](toolkit::TObject& sender) {
    EXPECT_EQ(&sender, &Form.Check);
    EXPECT_EQ(Form.Check.Checked(), row.set);  // the new state is visible to the handler
    ++clicks;
  });

  Form.Check.SetChecked(row.set);

  EXPECT_EQ(Form.Check.Checked(), row.set);
  EXPECT_EQ(static_cast<QCheckBox*>(Widget(Form.Check))->isChecked(), row.set);
  EXPECT_EQ(clicks, row.clickEvents);
}

INSTANTIATE_TEST_SUITE_P(Rows, CheckBoxCodeTest,
                         ::testing::Values(CheckCase{"check", false, true, 1},
                                           CheckCase{"uncheck", true, false, 1},
                                           CheckCase{"stay_unchecked", false, false, 0},
                                           CheckCase{"stay_checked", true, true, 0}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(ToolkitTest, CheckBoxUserClickRaisesClickWithTheNewState) {
  std::vector<bool> seen;
  Form.Check.SetOnClick([&](toolkit::TObject&) { seen.push_back(Form.Check.Checked()); });

  QTest::mouseClick(Widget(Form.Check), Qt::LeftButton, {}, QPoint(5, 8));
  QTest::keyClick(Widget(Form.Check), Qt::Key_Space);

  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(ToolkitTest, CheckBoxUncheckedByItsOwnClickHandlerRaisesClickAgain) {
  std::vector<bool> seen;
  Form.Check.SetOnClick([&](toolkit::TObject&) {
    seen.push_back(Form.Check.Checked());
    if (Form.Check.Checked()) {
      Form.Check.SetChecked(false);  // as a refused confirmation does
    }
  });

  QTest::mouseClick(Widget(Form.Check), Qt::LeftButton, {}, QPoint(5, 8));

  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
  EXPECT_FALSE(Form.Check.Checked());
  EXPECT_FALSE(static_cast<QCheckBox*>(Widget(Form.Check))->isChecked());
}

}  // namespace
