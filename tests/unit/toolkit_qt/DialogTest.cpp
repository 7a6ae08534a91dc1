#include <QClipboard>
#include <QTimer>

#include "TestForm.h"
#include "support/DialogResponder.h"
#include "toolkit/Dialogs.h"

namespace {

struct AnswerCase {
  const char* name;
  std::u16string answer;  // empty: Escape
  int result;
};

class WarningDialogTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(WarningDialogTest, ShowsAWarningWithYesAndNoAndReturnsTheAnswer) {
  support::TestApplication();
  support::DialogResponder responder(GetParam().answer);

  const int result =
      toolkit::MessageDlg(u"本当に自動シャットダウン設定しますか？",
                          toolkit::TMsgDlgType::mtWarning, toolkit::mbYes | toolkit::mbNo);

  EXPECT_EQ(result, GetParam().result);
  ASSERT_EQ(responder.Boxes().size(), 1U);
  const auto& box = responder.Boxes().front();
  EXPECT_EQ(box.Caption, u"警告");
  EXPECT_EQ(box.Text, u"本当に自動シャットダウン設定しますか？");
  EXPECT_EQ(box.Icon, toolkit::TMessageBoxIcon::Warning);
  EXPECT_EQ(box.Buttons, (std::vector<std::u16string>{u"はい(&Y)", u"いいえ(&N)"}));
  EXPECT_EQ(box.DefaultButton, u"はい(&Y)");
}

INSTANTIATE_TEST_SUITE_P(Answers, WarningDialogTest,
                         ::testing::Values(AnswerCase{"yes", u"はい(&Y)", 6},
                                           AnswerCase{"no", u"いいえ(&N)", 7},
                                           AnswerCase{"escape", u"", 7}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(MessageBoxTest, APlainBoxHasItsCaptionTextOneOkButtonAndNoIcon) {
  auto& app = support::TestApplication();
  support::DialogResponder responder;

  const int result = app.ShowMessageBox(u"すでにKalvioは起動されています。", u"二重起動の確認",
                                        toolkit::TMessageBoxIcon::None);

  EXPECT_EQ(result, toolkit::mrOk);
  ASSERT_EQ(responder.Boxes().size(), 1U);
  const auto& box = responder.Boxes().front();
  EXPECT_EQ(box.Caption, u"二重起動の確認");
  EXPECT_EQ(box.Text, u"すでにKalvioは起動されています。");
  EXPECT_EQ(box.Icon, toolkit::TMessageBoxIcon::None);
  EXPECT_EQ(box.Buttons, std::vector<std::u16string>{u"OK"});
}

TEST(MessageBoxTest, CtrlCCopiesTheCaptionTextAndButtonsAsOnWindows) {
  auto& app = support::TestApplication();
  QString copied;
  QTimer::singleShot(50, [&copied] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    copied = QGuiApplication::clipboard()->text();
    QTest::keyClick(box, Qt::Key_Return);
  });

  app.ShowMessageBox(u"すでにKalvioは起動されています。", u"二重起動の確認",
                     toolkit::TMessageBoxIcon::None);

  const QString separator = "---------------------------\n";
  EXPECT_EQ(copied, separator + QString::fromUtf8("二重起動の確認\n") + separator +
                        QString::fromUtf8("すでにKalvioは起動されています。\n") + separator +
                        "OK   \n" + separator);
}

}  // namespace
