#include <QListWidget>

#include "TestForm.h"

namespace {

struct SelectCase {
  const char* name;
  int set;
  int expected;
};

class ListBoxSelectTest : public ToolkitTest, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(ListBoxSelectTest, ReportsTheSelectedRowOrMinusOneAndCodeRaisesNoEvent) {
  int events = 0;
  Form.List.SetOnKeyUp([&](toolkit::TObject&, std::uint16_t, toolkit::TShiftState) { ++events; });
  Form.List.SetOnMouseUp(
      [&](toolkit::TObject&, toolkit::TMouseButton, toolkit::TShiftState, int, int) { ++events; });
  Form.List.SetItemIndex(2);

  Form.List.SetItemIndex(GetParam().set);

  EXPECT_EQ(Form.List.ItemIndex(), GetParam().expected);
  EXPECT_EQ(events, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, ListBoxSelectTest,
                         ::testing::Values(SelectCase{"first", 0, 0}, SelectCase{"last", 4, 4},
                                           SelectCase{"same", 2, 2}, SelectCase{"none", -1, -1},
                                           SelectCase{"past_the_end", 5, -1},
                                           SelectCase{"far_past_the_end", 120, -1}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(ToolkitTest, ListBoxStartsWithoutSelectionAndFollowsTheUser) {
  auto* list = static_cast<QListWidget*>(Widget(Form.List));
  EXPECT_EQ(Form.List.ItemIndex(), -1);

  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(1)).center());
  EXPECT_EQ(Form.List.ItemIndex(), 1);

  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(Form.List.ItemIndex(), 2);
}

TEST_F(ToolkitTest, TheUserCannotEmptyTheSelection) {
  auto* list = static_cast<QListWidget*>(Widget(Form.List));
  const QPoint row1 = list->visualItemRect(list->item(1)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row1);

  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, row1);
  EXPECT_EQ(Form.List.ItemIndex(), 1);
  QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
  EXPECT_EQ(Form.List.ItemIndex(), 1);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    list->visualItemRect(list->item(3)).center());
  EXPECT_EQ(Form.List.ItemIndex(), 3);
}

TEST_F(ToolkitTest, ListBoxSelectionFromCodeScrollsTheRowIntoView) {
  auto* list = static_cast<QListWidget*>(Widget(Form.List));
  Form.List.SetBounds(10, 40, 200, 30);  // two rows visible

  Form.List.SetItemIndex(4);

  EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(4))));
}

TEST_F(ToolkitTest, ListBoxRowsHaveTheItemHeightAndParentColour) {
  auto* list = static_cast<QListWidget*>(Widget(Form.List));
  Form.List.SetParentColor(true);

  EXPECT_EQ(list->visualItemRect(list->item(0)).height(), 13);
  EXPECT_EQ(list->palette().color(QPalette::Base),
            toolkit::qt::WidgetOf(Form)->palette().color(QPalette::Window));
}

}  // namespace
