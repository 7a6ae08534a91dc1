#include <stdexcept>

#include "TestForm.h"
#include "rtl/Exception.h"
#include "support/DialogResponder.h"
#include "toolkit/Dialogs.h"
#include "toolkit/MessageWindow.h"
#include "toolkit/PostedMessages.h"

namespace {

using Throw = std::function<void()>;

// Wires `raise` to one event of the form and makes the user (or the system) raise that event.
struct DispatchCase {
  const char* name;
  void (*wireAndTrigger)(ToolkitTest& test, TestForm& form, const Throw& raise);
};

class DispatchTest : public ToolkitTest, public ::testing::WithParamInterface<DispatchCase> {};

const DispatchCase kDispatchCases[] = {
    {"key_up",
     [](ToolkitTest& test, TestForm& form, const Throw& raise) {
       form.List.SetOnKeyUp(
           [raise](toolkit::TObject&, std::uint16_t, toolkit::TShiftState) { raise(); });
       form.List.SetFocus();
       test.PressKey('A');
       test.ReleaseKey('A');
     }},
    {"mouse_up",
     [](ToolkitTest& test, TestForm& form, const Throw& raise) {
       form.List.SetOnMouseUp([raise](toolkit::TObject&, toolkit::TMouseButton,
                                      toolkit::TShiftState, int, int) { raise(); });
       test.ReleaseButton(form.List, WM_LBUTTONUP, {5, 5});
     }},
    {"check_click",
     [](ToolkitTest& test, TestForm& form, const Throw& raise) {
       form.Check.SetOnClick([raise](toolkit::TObject&) { raise(); });
       PostMessageW(toolkit::win32::WindowOf(form.Check), BM_CLICK, 0, 0);
       test.Pump();
     }},
    {"slider_move",
     [](ToolkitTest& test, TestForm& form, const Throw& raise) {
       form.Slider.SetOnChange([raise](toolkit::TObject&) { raise(); });
       form.Slider.SetFocus();
       PostMessageW(toolkit::win32::WindowOf(form.Slider), WM_KEYDOWN, VK_RIGHT, 1);
       test.Pump();
     }},
    {"button_click",
     [](ToolkitTest& test, TestForm& form, const Throw& raise) {
       form.Button.SetOnClick([raise](toolkit::TObject&) { raise(); });
       PostMessageW(toolkit::win32::WindowOf(form.Button), BM_CLICK, 0, 0);
       test.Pump();
     }},
    {"posted_message_in_the_loop",
     [](ToolkitTest&, TestForm&, const Throw& raise) {
       // A loop of the system's dispatches it, as the application's or a modal box's does: the
       // error is shown at once.
       toolkit::MessageWindow window(
           [raise](std::uint32_t, std::uintptr_t, std::intptr_t) { raise(); });
       toolkit::postMessage(window.Handle(), 0x3B9, 0, 0);
       MSG message;
       while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
         DispatchMessageW(&message);
       }
     }},
    {"posted_message_in_process_messages",
     [](ToolkitTest& test, TestForm&, const Throw& raise) {
       toolkit::MessageWindow window(
           [raise](std::uint32_t, std::uintptr_t, std::intptr_t) { raise(); });
       toolkit::postMessage(window.Handle(), 0x3B9, 0, 0);
       test.Pump();
     }},
};

TEST_P(DispatchTest, AnErrorLeavingTheHandlerIsShownAndTheApplicationGoesOn) {
  App.SetTitle(u"Kalvio");
  support::DialogResponder responder;

  GetParam().wireAndTrigger(*this, Form, [] { throw Exception(u"リソースが見つかりません"); });

  ASSERT_EQ(responder.Boxes().size(), 1U);
  const auto& box = responder.Boxes().front();
  EXPECT_EQ(box.Text, u"リソースが見つかりません.");
  EXPECT_EQ(box.Caption, u"Kalvio");
  EXPECT_EQ(box.Icon, toolkit::TMessageBoxIcon::Error);
  EXPECT_EQ(box.Buttons, std::vector<std::u16string>{u"OK"});
  EXPECT_TRUE(Form.Visible());
}

INSTANTIATE_TEST_SUITE_P(Dispatches, DispatchTest, ::testing::ValuesIn(kDispatchCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(PostedMessages, AnErrorOfAHandlerLeavesProcessPostedMessagesToItsCaller) {
  support::TestApplication();
  toolkit::MessageWindow window(
      [](std::uint32_t, std::uintptr_t, std::intptr_t) { throw std::runtime_error("device"); });
  toolkit::postMessage(window.Handle(), 0x3B9, 0, 0);

  EXPECT_THROW(toolkit::ProcessPostedMessages(), std::runtime_error);
}

struct AnswerCase {
  const char* name;
  std::u16string button;  // empty: press `key` instead
  support::DialogResponder::Key key;
  int result;
};

class MessageDlgTest : public ToolkitTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(MessageDlgTest, AWarningWithYesAndNoReportsWhichClosedIt) {
  const AnswerCase& answer = GetParam();
  auto responder = answer.button.empty()
                       ? std::make_unique<support::DialogResponder>(answer.key)
                       : std::make_unique<support::DialogResponder>(answer.button);

  const int result =
      toolkit::MessageDlg(u"本当に自動シャットダウン設定しますか？",
                          toolkit::TMsgDlgType::mtWarning, toolkit::mbYes | toolkit::mbNo);

  EXPECT_EQ(result, answer.result);
  ASSERT_EQ(responder->Boxes().size(), 1U);
  const auto& box = responder->Boxes().front();
  EXPECT_EQ(box.Caption, u"警告");
  EXPECT_EQ(box.Text, u"本当に自動シャットダウン設定しますか？");
  EXPECT_EQ(box.Icon, toolkit::TMessageBoxIcon::Warning);
  EXPECT_EQ(box.Buttons, (std::vector<std::u16string>{u"はい(&Y)", u"いいえ(&N)"}));
  EXPECT_EQ(box.DefaultButton, u"はい(&Y)");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MessageDlgTest,
    ::testing::Values(AnswerCase{"yes", u"はい(&Y)", {}, 6}, AnswerCase{"no", u"いいえ(&N)", {}, 7},
                      AnswerCase{"return", u"", support::DialogResponder::Key::Return, 6},
                      AnswerCase{"escape", u"", support::DialogResponder::Key::Escape, 7}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(ToolkitTest, AnInformationBoxHasOnlyOkAndNoIcon) {
  support::DialogResponder responder(support::DialogResponder::Key::Return);

  EXPECT_EQ(App.ShowMessageBox(u"すでにKalvioは起動されています。", u"二重起動の確認",
                               toolkit::TMessageBoxIcon::None),
            toolkit::mrOk);

  ASSERT_EQ(responder.Boxes().size(), 1U);
  EXPECT_EQ(responder.Boxes().front().Caption, u"二重起動の確認");
  EXPECT_EQ(responder.Boxes().front().Text, u"すでにKalvioは起動されています。");
  EXPECT_EQ(responder.Boxes().front().Icon, toolkit::TMessageBoxIcon::None);
  EXPECT_EQ(responder.Boxes().front().Buttons, std::vector<std::u16string>{u"OK"});
}

}  // namespace
