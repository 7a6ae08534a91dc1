#include <QCheckBox>
#include <QMetaObject>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "toolkit/CheckBox.h"
#include "toolkit/qt/QtControl.h"

namespace toolkit::qt {
namespace {

class QtCheckBoxWidget : public QtControlWidget<QCheckBox> {
 public:
  using QtControlWidget::QtControlWidget;

 protected:
  // The style draws the focus around the text, which a box narrower than its text cuts off:
  // it goes around the whole box instead.
  void paintEvent(QPaintEvent* /*event*/) override {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const bool focused = option.state.testFlag(QStyle::State_HasFocus);
    option.state &= ~QStyle::State_HasFocus;
    painter.drawControl(QStyle::CE_CheckBox, option);
    if (focused) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
  }
};

class QtCheckBoxPeer final : public QtControlPeer<CheckBoxPeer, QtCheckBoxWidget> {
 public:
  QtCheckBoxPeer(TCheckBox& owner, WidgetPeer& parent) : QtControlPeer(owner, parent) {
    FWidget->setFocusPolicy(Qt::StrongFocus);
    // toggled, not clicked: an assistive technology's toggle raises no click. The user toggles
    // the box inside its own events; setChecked from code is kept quiet below.
    QObject::connect(FWidget, &QCheckBox::toggled, [this, &owner](bool checked) {
      if (FWidget->HandlingOwnEvent()) {
        owner.DoUserClick(checked);
        return;
      }
      // Once the assistive technology has its answer, so that it can read the confirmation the
      // handler may ask for.
      QMetaObject::invokeMethod(
          FWidget, [&owner, checked] { owner.DoUserClick(checked); }, Qt::QueuedConnection);
    });
  }

  void SetCaption(const std::u16string& caption) override { FWidget->setText(ToQString(caption)); }
  void SetChecked(bool checked) override {
    const QSignalBlocker quiet(FWidget);
    FWidget->setChecked(checked);
  }
};

}  // namespace
}  // namespace toolkit::qt

namespace toolkit {

std::unique_ptr<CheckBoxPeer> CreateCheckBoxPeer(TCheckBox& owner, WidgetPeer& parent) {
  return std::make_unique<qt::QtCheckBoxPeer>(owner, parent);
}

}  // namespace toolkit
