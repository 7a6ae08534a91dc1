#include <QSlider>

#include "TestForm.h"

namespace {

struct PositionCase {
  const char* name;
  int start;
  int set;
  int expected;
  int changeEvents;
};

class TrackBarPositionTest : public ToolkitTest,
                             public ::testing::WithParamInterface<PositionCase> {};

TEST_P(TrackBarPositionTest, CodeClampsAndRaisesChangeOnlyOnARealChange) {
  const PositionCase& row = GetParam();
  Form.Slider.SetPosition(row.start);
  int changes = 0;
  Form.Slider.SetOnChange([&](toolkit::TObject& sender) {
    EXPECT_EQ(&sender, &Form.Slider);
    ++changes;
  });

  Form.Slider.SetPosition(row.set);

  EXPECT_EQ(Form.Slider.Position(), row.expected);
  EXPECT_EQ(static_cast<QSlider*>(Widget(Form.Slider))->value(), row.expected);
  EXPECT_EQ(changes, row.changeEvents);
}

INSTANTIATE_TEST_SUITE_P(Rows, TrackBarPositionTest,
                         ::testing::Values(PositionCase{"change", 40, 73, 73, 1},
                                           PositionCase{"same", 40, 40, 40, 0},
                                           PositionCase{"above_max", 40, 150, 100, 1},
                                           PositionCase{"above_max_at_max", 100, 150, 100, 0},
                                           PositionCase{"below_min", 40, -5, 0, 1},
                                           PositionCase{"below_min_at_min", 0, -1, 0, 0}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(ToolkitTest, TrackBarRangeKeepsThePositionInsideWithoutAnEvent) {
  Form.Slider.SetPosition(90);
  int changes = 0;
  Form.Slider.SetOnChange([&](toolkit::TObject&) { ++changes; });

  Form.Slider.SetRange(1, 50);

  EXPECT_EQ(Form.Slider.Position(), 50);
  EXPECT_EQ(changes, 0);
}

TEST_F(ToolkitTest, TrackBarUserMoveRaisesChangeForEveryStep) {
  Form.Slider.SetPosition(10);
  std::vector<int> seen;
  Form.Slider.SetOnChange([&](toolkit::TObject&) { seen.push_back(Form.Slider.Position()); });
  QWidget* slider = Widget(Form.Slider);

  QTest::keyClick(slider, Qt::Key_Right);   // one step
  QTest::keyClick(slider, Qt::Key_PageUp);  // one page of 2
  for (int step = 0; step < 3; ++step) {    // a drag through three positions
    static_cast<QSlider*>(slider)->setSliderPosition(14 + step);
  }

  EXPECT_EQ(seen, (std::vector<int>{11, 13, 14, 15, 16}));
}

TEST_F(ToolkitTest, TrackBarShowsTicksBelowAtEveryUnit) {
  auto* slider = static_cast<QSlider*>(Widget(Form.Slider));
  EXPECT_EQ(slider->orientation(), Qt::Horizontal);
  EXPECT_EQ(slider->tickPosition(), QSlider::TicksBelow);
  EXPECT_EQ(slider->tickInterval(), 1);
  EXPECT_EQ(slider->singleStep(), 1);
  EXPECT_EQ(slider->pageStep(), 2);
}

}  // namespace
