#include <QCheckBox>
#include <QEventLoop>
#include <QListWidget>
#include <QMenu>
#include <QSlider>
#include <stdexcept>

#include "TestForm.h"
#include "rtl/Exception.h"
#include "support/DialogResponder.h"
#include "toolkit/MessageWindow.h"

namespace {

using Throw = std::function<void()>;

// Wires `raise` to one event of the form and makes the user (or the system) raise that event.
struct DispatchCase {
  const char* name;
  void (*wireAndTrigger)(TestForm& form, const Throw& raise);
};

const DispatchCase kDispatchCases[] = {
    {"key_up",
     [](TestForm& form, const Throw& raise) {
       form.List.SetOnKeyUp(
           [raise](toolkit::TObject&, std::uint16_t, toolkit::TShiftState) { raise(); });
       QTest::keyClick(toolkit::qt::WidgetOf(form.List), Qt::Key_A);
     }},
    {"mouse_up",
     [](TestForm& form, const Throw& raise) {
       form.List.SetOnMouseUp([raise](toolkit::TObject&, toolkit::TMouseButton,
                                      toolkit::TShiftState, int, int) { raise(); });
       QTest::mouseClick(static_cast<QListWidget*>(toolkit::qt::WidgetOf(form.List))->viewport(),
                         Qt::LeftButton);
     }},
    {"check_click",
     [](TestForm& form, const Throw& raise) {
       form.Check.SetOnClick([raise](toolkit::TObject&) { raise(); });
       QTest::mouseClick(toolkit::qt::WidgetOf(form.Check), Qt::LeftButton, {}, QPoint(5, 8));
     }},
    {"slider_move",
     [](TestForm& form, const Throw& raise) {
       form.Slider.SetOnChange([raise](toolkit::TObject&) { raise(); });
       QTest::keyClick(toolkit::qt::WidgetOf(form.Slider), Qt::Key_Right);
     }},
    {"button_click",
     [](TestForm& form, const Throw& raise) {
       form.Button.SetOnClick([raise](toolkit::TObject&) { raise(); });
       QTest::mouseClick(toolkit::qt::WidgetOf(form.Button), Qt::LeftButton);
     }},
    {"menu_entry",
     [](TestForm& form, const Throw& raise) {
       form.MenuEntry.SetOnClick([raise](toolkit::TObject&) { raise(); });
       toolkit::qt::MenuOf(form.Menu)->actions().front()->trigger();
     }},
    {"posted_message",
     [](TestForm&, const Throw& raise) {
       toolkit::MessageWindow window(
           [raise](std::uint32_t, std::uintptr_t, std::intptr_t) { raise(); });
       toolkit::postMessage(window.Handle(), 0x3B9, 0, 0);
       QEventLoop loop;
       loop.processEvents(QEventLoop::AllEvents, 100);
     }},
};

class DispatchTest : public ToolkitTest, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(DispatchTest, AnErrorLeavingTheHandlerIsShownAndTheApplicationGoesOn) {
  App.SetTitle(u"Kalvio");
  support::DialogResponder responder;

  GetParam().wireAndTrigger(Form, [] { throw Exception(u"リソースが見つかりません"); });

  ASSERT_EQ(responder.Boxes().size(), 1U);
  const auto& box = responder.Boxes().front();
  EXPECT_EQ(box.Text, u"リソースが見つかりません.");
  EXPECT_EQ(box.Caption, u"Kalvio");
  EXPECT_EQ(box.Icon, toolkit::TMessageBoxIcon::Error);
  EXPECT_EQ(box.Buttons, std::vector<std::u16string>{u"OK"});
  EXPECT_TRUE(toolkit::qt::WidgetOf(Form)->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Dispatches, DispatchTest, ::testing::ValuesIn(kDispatchCases),
                         [](const auto& test) { return std::string(test.param.name); });

struct TextCase {
  const char* name;
  Throw raise;
  std::u16string shown;
};

class ErrorTextTest : public ToolkitTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(ErrorTextTest, TheBoxShowsTheMessageWithAFullStopRule) {
  support::DialogResponder responder;
  Form.Button.SetOnClick([&](toolkit::TObject&) { GetParam().raise(); });

  QTest::mouseClick(Widget(Form.Button), Qt::LeftButton);

  ASSERT_EQ(responder.Boxes().size(), 1U);
  EXPECT_EQ(responder.Boxes().front().Text, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ErrorTextTest,
    ::testing::Values(
        TextCase{"letter", [] { throw Exception(u"abc"); }, u"abc."},
        TextCase{"full_stop", [] { throw Exception(u"abc."); }, u"abc."},
        TextCase{"exclamation", [] { throw Exception(u"abc!"); }, u"abc!"},
        TextCase{"ideographic_stop", [] { throw Exception(u"できません。"); }, u"できません。."},
        TextCase{"standard_exception", [] { throw std::runtime_error("plain"); }, u"plain."}),
    [](const auto& test) { return std::string(test.param.name); });

class ThrowingCreateForm : public toolkit::TForm {
 public:
  ThrowingCreateForm() {
    SetOnCreate([](toolkit::TObject&) { throw Exception(u"create failed"); });
    SetOnDestroy([](toolkit::TObject&) { throw Exception(u"destroy failed"); });
  }
};

TEST(FormLifeTest, ErrorsOfTheCreateAndDestroyHandlersAreShownAndTheFormStillExists) {
  auto& app = support::TestApplication();
  support::DialogResponder responder;

  auto& form = app.CreateForm<ThrowingCreateForm>();
  form.SetCaption(u"still here");
  app.DestroyForm(form);

  ASSERT_EQ(responder.Boxes().size(), 2U);
  EXPECT_EQ(responder.Boxes()[0].Text, u"create failed.");
  EXPECT_EQ(responder.Boxes()[1].Text, u"destroy failed.");
}

}  // namespace
