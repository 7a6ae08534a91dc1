#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include "toolkit/TrackBar.h"
#include "toolkit/qt/QtControl.h"

namespace toolkit::qt {
namespace {

// A slider that also draws its selection range as a highlighted stretch of the groove.
class QtTrackBarWidget : public QtControlWidget<QSlider> {
 public:
  using QtControlWidget::QtControlWidget;

  void SetSelection(int start, int end) {
    FSelStart = start;
    FSelEnd = end;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderTickmarks;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
    if (FSelEnd > FSelStart) {
      DrawSelection(painter, option);
    }
    option.subControls = QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
  }

 private:
  void DrawSelection(QPainter& painter, const QStyleOptionSlider& option) {
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    const auto x = [&](int value) {
      return groove.left() + handle.width() / 2 +
             QStyle::sliderPositionFromValue(minimum(), maximum(), value, span);
    };
    const QRect band(QPoint(x(FSelStart), groove.center().y() - 1),
                     QPoint(x(FSelEnd), groove.center().y() + 1));
    painter.fillRect(band, palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                           QPalette::Highlight));
  }

  int FSelStart = 0;
  int FSelEnd = 0;
};

class QtTrackBarPeer final : public QtControlPeer<TrackBarPeer, QtTrackBarWidget> {
 public:
  QtTrackBarPeer(TTrackBar& owner, WidgetPeer& parent) : QtControlPeer(owner, parent) {
    FWidget->setOrientation(Qt::Horizontal);
    FWidget->setTickPosition(QSlider::TicksBelow);
    FWidget->setTickInterval(1);
    FWidget->setSingleStep(1);
    FWidget->setPageStep(2);
    FWidget->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(FWidget, &QSlider::valueChanged,
                     [&owner](int position) { owner.DoUserMove(position); });
  }

  void SetRange(int min, int max) override {
    const QSignalBlocker quiet(FWidget);
    FWidget->setRange(min, max);
  }
  void SetPosition(int position) override {
    const QSignalBlocker quiet(FWidget);
    FWidget->setValue(position);
  }
  void SetSelection(int start, int end) override { FWidget->SetSelection(start, end); }
};

}  // namespace
}  // namespace toolkit::qt

namespace toolkit {

std::unique_ptr<TrackBarPeer> CreateTrackBarPeer(TTrackBar& owner, WidgetPeer& parent) {
  return std::make_unique<qt::QtTrackBarPeer>(owner, parent);
}

}  // namespace toolkit
