#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <thread>

#include "TestForm.h"
#include "rtl/Exception.h"
#include "toolkit/MessageWindow.h"

namespace {

TEST_F(ToolkitTest, TheWindowHasAFixedClientSizeAndNoMaximiseButton) {
  QWidget* window = toolkit::qt::WidgetOf(Form);
  EXPECT_EQ(window->size(), QSize(300, 200));
  EXPECT_EQ(window->minimumSize(), QSize(300, 200));
  EXPECT_EQ(window->maximumSize(), QSize(300, 200));
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window->windowTitle(), QString("Test"));
}

TEST_F(ToolkitTest, TheFormMovesWhereItIsTold) {
  Form.SetLeft(120);
  Form.SetTop(45);
  EXPECT_EQ(Form.Left(), 120);
  EXPECT_EQ(Form.Top(), 45);
}

TEST_F(ToolkitTest, RestoreBringsBackTheMinimisedMainForm) {
  ASSERT_EQ(App.MainForm(), &Form);
  toolkit::qt::WidgetOf(Form)->showMinimized();
  ASSERT_TRUE(Form.Minimized());

  App.Restore();
  App.BringToFront();

  EXPECT_FALSE(Form.Minimized());
  EXPECT_TRUE(Form.Visible());
}

TEST_F(ToolkitTest, ClosingTheMainFormEndsTheMessageLoop) {
  ASSERT_EQ(App.MainForm(), &Form);
  QTimer::singleShot(0, [this] { Form.Close(); });

  App.Run();

  EXPECT_FALSE(Form.Visible());
}

TEST_F(ToolkitTest, MessagesPostedFromAnotherThreadArriveOnThisThreadThroughTheLoop) {
  std::vector<std::uint32_t> received;
  const auto uiThread = std::this_thread::get_id();
  toolkit::MessageWindow window([&](std::uint32_t msg, std::uintptr_t, std::intptr_t) {
    EXPECT_EQ(std::this_thread::get_id(), uiThread);
    received.push_back(msg);
  });

  std::thread device([&] {
    for (std::uint32_t msg = 1; msg <= 3; ++msg) {
      toolkit::postMessage(window.Handle(), msg, 0, 0);
    }
  });
  device.join();
  QEventLoop loop;
  QTimer::singleShot(200, &loop, &QEventLoop::quit);
  loop.exec();

  EXPECT_EQ(received, (std::vector<std::uint32_t>{1, 2, 3}));
}

TEST_F(ToolkitTest, ProcessMessagesHandlesPendingPostedMessagesAndInput) {
  int posted = 0;
  int keyUps = 0;
  toolkit::MessageWindow window([&](std::uint32_t, std::uintptr_t, std::intptr_t) { ++posted; });
  Form.Check.SetOnKeyUp([&](toolkit::TObject&, std::uint16_t, toolkit::TShiftState) { ++keyUps; });
  toolkit::postMessage(window.Handle(), 1, 0, 0);
  QApplication::postEvent(Widget(Form.Check),
                          new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier));
  QApplication::postEvent(Widget(Form.Check),
                          new QKeyEvent(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier));

  App.ProcessMessages();

  EXPECT_EQ(posted, 1);
  EXPECT_EQ(keyUps, 1);
}

TEST_F(ToolkitTest, LabelsGrowAndShrinkWithTheirText) {
  const int shortWidth = Form.GroupLabel.Width();
  Form.GroupLabel.SetCaption(u"音量 (100)");
  EXPECT_GT(Form.GroupLabel.Width(), shortWidth);
  EXPECT_EQ(Form.GroupLabel.Width(), Widget(Form.GroupLabel)->sizeHint().width());
  EXPECT_EQ(Widget(Form.GroupLabel)->width(), Form.GroupLabel.Width());
  EXPECT_EQ(Form.GroupLabel.Left(), 10);
}

std::vector<std::byte> ImageFile(const char* name) {
  QFile file(QString(KALVIO_IMAGES_DIR "/") + name);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  const QByteArray bytes = file.readAll();
  const auto* begin = reinterpret_cast<const std::byte*>(bytes.constData());
  return {begin, begin + bytes.size()};
}

class GlyphTest : public ToolkitTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(GlyphTest, TheBottomLeftColourIsTransparentAndThePictureIsNot) {
  Form.Button.LoadGlyph(ImageFile(GetParam()));

  auto* button = static_cast<QPushButton*>(Widget(Form.Button));
  const QImage glyph = button->icon().pixmap(48, 48).toImage();
  ASSERT_EQ(glyph.size(), QSize(48, 48));
  EXPECT_EQ(button->iconSize(), QSize(48, 48));
  EXPECT_EQ(qAlpha(glyph.pixel(0, 47)), 0);
  EXPECT_EQ(qAlpha(glyph.pixel(0, 0)), 0);
  int opaque = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) {
      opaque += qAlpha(glyph.pixel(x, y)) == 255 ? 1 : 0;
    }
  }
  EXPECT_GT(opaque, 48 * 48 / 10);
  EXPECT_LT(opaque, 48 * 48 * 9 / 10);
}

INSTANTIATE_TEST_SUITE_P(Images, GlyphTest,
                         ::testing::Values("skip-forward.bmp", "skip-back.bmp", "pause.bmp",
                                           "arrow.bmp"));

TEST_F(ToolkitTest, AGlyphThatIsNoBitmapIsAnError) {
  const std::vector<std::byte> notABitmap(64, std::byte{0x42});
  EXPECT_THROW(Form.Button.LoadGlyph(notABitmap), Exception);
}

}  // namespace
