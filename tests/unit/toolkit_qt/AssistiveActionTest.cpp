#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleTableInterface>
#include <QAccessibleValueInterface>
#include <QCoreApplication>
#include <QListWidget>

#include "TestForm.h"

namespace {

// What a screen reader does runs the handlers a user's click or key runs, once each, after the
// screen reader has its answer.
class AssistiveActionTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    Form.Slider.SetOnChange([this](toolkit::TObject&) { ++Changes; });
    Form.Slider.SetOnKeyUp(
        [this](toolkit::TObject&, std::uint16_t, toolkit::TShiftState) { ++SliderKeyUps; });
    Form.Check.SetOnClick([this](toolkit::TObject&) { Clicks.push_back(Form.Check.Checked()); });
    Form.List.SetOnMouseUp([this](toolkit::TObject&, toolkit::TMouseButton, toolkit::TShiftState,
                                  int, int) { ListChoices.push_back(Form.List.ItemIndex()); });
  }

  static QAccessibleInterface* Accessible(const toolkit::TControl& control) {
    return QAccessible::queryAccessibleInterface(Widget(control));
  }
  static void Toggle(QAccessibleInterface* accessible) {
    accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  }
  static void Settle() { QCoreApplication::processEvents(); }

  int Changes = 0;
  int SliderKeyUps = 0;
  std::vector<bool> Clicks;
  std::vector<int> ListChoices;
};

TEST_F(AssistiveActionTest, ASliderValueMovesTheSliderThenReleasesAKey) {
  Accessible(Form.Slider)->valueInterface()->setCurrentValue(30);
  EXPECT_EQ(Changes + SliderKeyUps, 0);
  Settle();

  EXPECT_EQ(Form.Slider.Position(), 30);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(SliderKeyUps, 1);
  EXPECT_EQ(Accessible(Form.Slider)->valueInterface()->currentValue().toInt(), 30);

  // The same value again is a key released on the slider as it stands.
  Accessible(Form.Slider)->valueInterface()->setCurrentValue(30);
  Settle();
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(SliderKeyUps, 2);
}

TEST_F(AssistiveActionTest, ADisabledSliderIgnoresAValue) {
  Form.Slider.SetEnabled(false);
  Accessible(Form.Slider)->valueInterface()->setCurrentValue(30);
  Settle();

  EXPECT_EQ(Form.Slider.Position(), 0);
  EXPECT_EQ(Changes + SliderKeyUps, 0);
}

TEST_F(AssistiveActionTest, ACheckBoxToggleRaisesItsClick) {
  Toggle(Accessible(Form.Check));
  EXPECT_TRUE(Clicks.empty());
  Settle();
  Toggle(Accessible(Form.Check));
  Settle();

  EXPECT_EQ(Clicks, (std::vector<bool>{true, false}));
  EXPECT_FALSE(Form.Check.Checked());
}

TEST_F(AssistiveActionTest, AListRowToggledOrSelectedIsChosenOnceAsByAClick) {
  Form.List.SetItemIndex(0);
  QAccessibleInterface* list = Accessible(Form.List);

  Toggle(list->child(3));
  EXPECT_TRUE(ListChoices.empty());
  Settle();
  list->tableInterface()->selectRow(1);
  Settle();
  // The selected row cannot be toggled off: the list always has a row.
  Toggle(list->child(1));
  Settle();

  EXPECT_EQ(ListChoices, (std::vector<int>{3, 1}));
  EXPECT_EQ(Form.List.ItemIndex(), 1);
}

TEST_F(AssistiveActionTest, TheUsersClickAndCodeChooseNoRowOnTheirOwn) {
  auto* list = static_cast<QListWidget*>(Widget(Form.List));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(2)).center());
  Form.List.SetItemIndex(4);
  Form.List.SetItems({u"a", u"b"});
  Form.List.SetItemIndex(1);
  Settle();

  EXPECT_EQ(ListChoices, (std::vector<int>{2}));  // the click's own mouse-up
}

TEST_F(AssistiveActionTest, ADisabledListChoosesNothing) {
  Form.List.SetItemIndex(0);
  Form.List.SetEnabled(false);
  Toggle(Accessible(Form.List)->child(2));
  Settle();

  EXPECT_TRUE(ListChoices.empty());
}

}  // namespace
