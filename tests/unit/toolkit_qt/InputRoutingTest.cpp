#include <QListWidget>
#include <QMenu>

#include "TestForm.h"

namespace {

struct KeyCase {
  const char* name;
  Qt::Key key;
  std::uint16_t virtualKey;
};

class KeyUpTest : public ToolkitTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyUpTest, GoesToTheFocusedControlThatTookThePressWhateverTheKey) {
  std::vector<std::uint16_t> listKeys;
  int checkKeys = 0;
  Form.List.SetOnKeyUp([&](toolkit::TObject& sender, std::uint16_t key, toolkit::TShiftState) {
    EXPECT_EQ(&sender, &Form.List);
    listKeys.push_back(key);
  });
  Form.Check.SetOnKeyUp(
      [&](toolkit::TObject&, std::uint16_t, toolkit::TShiftState) { ++checkKeys; });
  Form.List.SetFocus();

  QTest::keyPress(static_cast<QWidget*>(nullptr), GetParam().key);
  QTest::keyRelease(static_cast<QWidget*>(nullptr), GetParam().key);

  EXPECT_EQ(listKeys, std::vector<std::uint16_t>{GetParam().virtualKey});
  EXPECT_EQ(checkKeys, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyUpTest,
    ::testing::Values(KeyCase{"A", Qt::Key_A, 'A'}, KeyCase{"7", Qt::Key_7, '7'},
                      KeyCase{"Return", Qt::Key_Return, 0x0D},
                      KeyCase{"Escape", Qt::Key_Escape, 0x1B}, KeyCase{"Down", Qt::Key_Down, 0x28},
                      KeyCase{"F5", Qt::Key_F5, 0x74}, KeyCase{"Shift", Qt::Key_Shift, 0x10},
                      KeyCase{"Space", Qt::Key_Space, 0x20},
                      KeyCase{"VolumeUp", Qt::Key_VolumeUp, 0}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(ToolkitTest, AutoRepeatedReleasesRaiseNoKeyUp) {
  int keyUps = 0;
  Form.List.SetOnKeyUp([&](toolkit::TObject&, std::uint16_t, toolkit::TShiftState) { ++keyUps; });
  Form.List.SetFocus();
  QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);

  QTest::keyPress(Widget(Form.List), Qt::Key_Down);
  QApplication::sendEvent(Widget(Form.List), &repeated);
  QTest::keyRelease(Widget(Form.List), Qt::Key_Down);

  EXPECT_EQ(keyUps, 1);
}

// The list sees only a release: of Tab, which moved the focus onto it; of a key pressed on
// another control; of a menu's access key; of a key pressed before a menu took the focus.
TEST_F(ToolkitTest, KeyUpOnlyWhereTheKeyWasPressed) {
  int listKeys = 0;
  Form.List.SetOnKeyUp([&](toolkit::TObject&, std::uint16_t, toolkit::TShiftState) { ++listKeys; });
  Form.Check.SetFocus();
  QTest::keyPress(static_cast<QWidget*>(nullptr), Qt::Key_X);
  Form.List.SetFocus();
  QTest::keyRelease(static_cast<QWidget*>(nullptr), Qt::Key_X);
  QTest::keyRelease(static_cast<QWidget*>(nullptr), Qt::Key_Tab);

  QTest::keyPress(static_cast<QWidget*>(nullptr), Qt::Key_J);
  QTest::mouseClick(static_cast<QListWidget*>(Widget(Form.List))->viewport(), Qt::RightButton, {},
                    QPoint(2, 2));
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  QApplication::activePopupWidget()->close();
  QTest::keyRelease(static_cast<QWidget*>(nullptr), Qt::Key_J);

  EXPECT_EQ(listKeys, 0);
}

struct MouseCase {
  const char* name;
  Qt::MouseButton button;
  toolkit::TMouseButton expected;
  bool opensMenu;
};

class MouseUpTest : public ToolkitTest, public ::testing::WithParamInterface<MouseCase> {
 protected:
  void TearDown() override {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      popup->close();
    }
  }
};

TEST_P(MouseUpTest, GoesToTheControlUnderThePointerForAnyButton) {
  std::vector<toolkit::TMouseButton> listButtons;
  int checkButtons = 0;
  Form.List.SetOnMouseUp(
      [&](toolkit::TObject&, toolkit::TMouseButton button, toolkit::TShiftState, int x, int y) {
        listButtons.push_back(button);
        EXPECT_EQ(x, 30);
        EXPECT_EQ(y, 6);
      });
  Form.Check.SetOnMouseUp([&](toolkit::TObject&, toolkit::TMouseButton, toolkit::TShiftState, int,
                              int) { ++checkButtons; });
  auto* list = static_cast<QListWidget*>(Widget(Form.List));

  QTest::mouseClick(list->viewport(), GetParam().button, {}, QPoint(30, 6));

  EXPECT_EQ(listButtons, std::vector<toolkit::TMouseButton>{GetParam().expected});
  EXPECT_EQ(checkButtons, 0);
  EXPECT_EQ(QApplication::activePopupWidget() == toolkit::qt::MenuOf(Form.Menu),
            GetParam().opensMenu);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, MouseUpTest,
    ::testing::Values(MouseCase{"left", Qt::LeftButton, toolkit::TMouseButton::mbLeft, false},
                      MouseCase{"right", Qt::RightButton, toolkit::TMouseButton::mbRight, true},
                      MouseCase{"middle", Qt::MiddleButton, toolkit::TMouseButton::mbMiddle,
                                false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(ToolkitTest, ReturnAndSpaceClickTheFocusedButton) {
  int clicks = 0;
  Form.Button.SetOnClick([&](toolkit::TObject&) { ++clicks; });
  Form.Button.SetFocus();

  QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
  QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Space);

  EXPECT_EQ(clicks, 2);
}

TEST_F(ToolkitTest, RightClickLeavesTheListSelectionAlone) {
  Form.List.SetItemIndex(1);
  auto* list = static_cast<QListWidget*>(Widget(Form.List));

  QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                    list->visualItemRect(list->item(3)).center());

  EXPECT_EQ(Form.List.ItemIndex(), 1);
  QApplication::activePopupWidget()->close();
}

class PopupMenuTest : public ToolkitTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PopupMenuTest, RightClickOpensTheWindowMenuAndItsEntryClicks) {
  const std::string where = GetParam();
  QWidget* target = where == "form"     ? toolkit::qt::WidgetOf(Form)
                    : where == "slider" ? Widget(Form.Slider)
                    : where == "label"  ? Widget(Form.GroupLabel)
                                        : Widget(Form.Group);
  int clicks = 0;
  Form.MenuEntry.SetOnClick([&](toolkit::TObject& sender) {
    EXPECT_EQ(&sender, &Form.MenuEntry);
    ++clicks;
  });

  QTest::mouseClick(target, Qt::RightButton, {}, QPoint(2, 2));
  QMenu* menu = toolkit::qt::MenuOf(Form.Menu);
  ASSERT_EQ(QApplication::activePopupWidget(), menu);
  ASSERT_EQ(menu->actions().size(), 1);
  EXPECT_EQ(menu->actions().front()->text(), QString("Entry(&E)"));
  QTest::keyClick(menu, Qt::Key_E);  // the access key

  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Places, PopupMenuTest,
                         ::testing::Values("form", "slider", "label", "group"),
                         [](const auto& test) { return std::string(test.param); });

}  // namespace
