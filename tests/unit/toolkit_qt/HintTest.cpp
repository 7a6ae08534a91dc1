#include <QHelpEvent>
#include <QToolTip>

#include "TestForm.h"

namespace {

// What the tooltip shows when the pointer rests on the widget.
QString TooltipOver(QWidget* widget) {
  QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(widget, &hover);
  return QToolTip::isVisible() ? QToolTip::text() : QString();
}

TEST_F(ToolkitTest, ChangingAHintChangesTheTooltipFromThenOn) {
  EXPECT_EQ(TooltipOver(Widget(Form.Slider)), QString("slider hint"));

  Form.Slider.SetHint(u"再開");

  EXPECT_EQ(Form.Slider.Hint(), u"再開");
  EXPECT_EQ(TooltipOver(Widget(Form.Slider)), QString::fromUtf8("再開"));
}

TEST_F(ToolkitTest, ControlsWithoutAHintShowTheWindowHint) {
  EXPECT_EQ(TooltipOver(Widget(Form.GroupLabel)), QString("form hint"));
  EXPECT_EQ(TooltipOver(toolkit::qt::WidgetOf(Form)), QString("form hint"));

  Form.SetHint(u"マウスの右ボタンクリックでポップアップメニュー表示");

  EXPECT_EQ(TooltipOver(Widget(Form.Group)),
            QString::fromUtf8("マウスの右ボタンクリックでポップアップメニュー表示"));
}

}  // namespace
