#include "toolkit/ReachablePosition.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using toolkit::TRect;

constexpr int kTitleBar = 25;
constexpr int kWidth = 312;
constexpr int kHeight = 267;

const std::vector<TRect> kOneScreen{{0, 0, 1280, 1024}};
// A larger screen to the right, its bottom below the first one's.
const std::vector<TRect> kTwoScreens{{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}};
// A panel along the top edge.
const std::vector<TRect> kPanelOnTop{{0, 28, 1280, 996}};

struct Case {
  std::string what;
  std::vector<TRect> areas;
  TRect window;
  int expectedLeft;
  int expectedTop;
};

TEST(ReachablePositionTest, KeepsAReachableWindowAndMovesAnUnreachableOneIntoTheNearestScreen) {
  const std::vector<Case> cases{
      {"on the screen", kOneScreen, {120, 90, kWidth, kHeight}, 120, 90},
      {"100 px past the left edge", kOneScreen, {-212, 10, kWidth, kHeight}, -212, 10},
      {"99 px past the left edge", kOneScreen, {-213, 10, kWidth, kHeight}, 0, 10},
      {"100 px inside the right edge", kOneScreen, {1180, 10, kWidth, kHeight}, 1180, 10},
      {"99 px inside the right edge", kOneScreen, {1181, 10, kWidth, kHeight}, 968, 10},
      {"top edge on the screen's", kOneScreen, {50, 0, kWidth, kHeight}, 50, 0},
      {"title bar 1 px above the screen", kOneScreen, {50, -1, kWidth, kHeight}, 50, 0},
      {"title bar just above the bottom", kOneScreen, {50, 999, kWidth, kHeight}, 50, 999},
      {"title bar 1 px below the bottom", kOneScreen, {50, 1000, kWidth, kHeight}, 50, 757},
      {"a monitor since unplugged", kOneScreen, {5000, 5000, kWidth, kHeight}, 968, 757},
      {"far above and left", kOneScreen, {-3000, -3000, kWidth, kHeight}, 0, 0},
      {"on the second screen", kTwoScreens, {1500, 200, kWidth, kHeight}, 1500, 200},
      {"across both screens", kTwoScreens, {1200, 200, kWidth, kHeight}, 1200, 200},
      {"past the second screen", kTwoScreens, {5000, 5000, kWidth, kHeight}, 2888, 813},
      {"below the first screen only", kTwoScreens, {100, 1050, kWidth, kHeight}, 100, 757},
      {"under a panel", kPanelOnTop, {100, 10, kWidth, kHeight}, 100, 28},
      {"larger than the screen", {{0, 0, 200, 150}}, {900, 900, kWidth, kHeight}, 0, 0},
      {"narrower than 100 px, wholly shown", kOneScreen, {1200, 10, 80, kHeight}, 1200, 10},
      {"narrower than 100 px, partly shown", kOneScreen, {1201, 10, 80, kHeight}, 1200, 10},
      {"no screen known", {}, {5000, 5000, kWidth, kHeight}, 5000, 5000},
  };
  for (const Case& c : cases) {
    const TRect placed = toolkit::ReachablePosition(c.window, kTitleBar, c.areas);
    EXPECT_EQ(placed.Left, c.expectedLeft) << c.what;
    EXPECT_EQ(placed.Top, c.expectedTop) << c.what;
    EXPECT_EQ(placed.Width, c.window.Width) << c.what;
    EXPECT_EQ(placed.Height, c.window.Height) << c.what;
  }
}

}  // namespace
