#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QGroupBox>
#include <QMetaObject>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include "toolkit/TrackBar.h"
#include "toolkit/qt/QtControl.h"

namespace toolkit::qt {
namespace {

constexpr std::uint16_t kReturnKey = 0x0D;

// A slider that also draws its selection range as a highlighted stretch of the groove.
class QtTrackBarWidget : public QtControlWidget<QSlider> {
 public:
  using QtControlWidget::QtControlWidget;

  void SetSelection(int start, int end) {
    FSelStart = start;
    FSelEnd = end;
    update();
  }

  // A value set by an assistive technology counts as a keyboard user's move: the slider moves,
  // then the key release that ends such a move follows. Both after the assistive technology has
  // its answer, so that it can read any message box they raise.
  void SetValueByAssistant(int value) {
    QMetaObject::invokeMethod(
        this,
        [this, value] {
          if (isEnabled()) {
            setValue(value);
            Owner().DoKeyUp(kReturnKey, {});
          }
        },
        Qt::QueuedConnection);
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

// Names the slider by the group box it lies in and routes a new value through the widget.
class QtTrackBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit QtTrackBarAccessible(QtTrackBarWidget* slider)
      : QAccessibleWidget(slider, QAccessible::Slider) {}

  static QAccessibleInterface* Create(const QString& /*className*/, QObject* object) {
    auto* slider = dynamic_cast<QtTrackBarWidget*>(object);
    return slider != nullptr ? new QtTrackBarAccessible(slider) : nullptr;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) {
      return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text type) const override {
    const auto* group = qobject_cast<const QGroupBox*>(Slider()->parentWidget());
    if (type == QAccessible::Name && group != nullptr) {
      return group->title();
    }
    if (type == QAccessible::Value) {
      return QString::number(Slider()->value());
    }
    return QAccessibleWidget::text(type);
  }

  QVariant currentValue() const override { return Slider()->value(); }
  void setCurrentValue(const QVariant& value) override {
    Slider()->SetValueByAssistant(value.toInt());
  }
  QVariant maximumValue() const override { return Slider()->maximum(); }
  QVariant minimumValue() const override { return Slider()->minimum(); }
  QVariant minimumStepSize() const override { return Slider()->singleStep(); }

 private:
  QtTrackBarWidget* Slider() const { return static_cast<QtTrackBarWidget*>(widget()); }
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
    [[maybe_unused]] static const bool accessible =
        (QAccessible::installFactory(&QtTrackBarAccessible::Create), true);
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
