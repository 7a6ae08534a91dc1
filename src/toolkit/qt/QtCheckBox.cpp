#include <QCheckBox>
#include <QSignalBlocker>

#include "toolkit/CheckBox.h"
#include "toolkit/qt/QtControl.h"

namespace toolkit::qt {
namespace {

class QtCheckBoxPeer final : public QtControlPeer<CheckBoxPeer, QtControlWidget<QCheckBox>> {
 public:
  QtCheckBoxPeer(TCheckBox& owner, WidgetPeer& parent) : QtControlPeer(owner, parent) {
    FWidget->setFocusPolicy(Qt::StrongFocus);
    // toggled, not clicked: an assistive technology's toggle raises no click. setChecked from
    // code is kept quiet below.
    QObject::connect(FWidget, &QCheckBox::toggled,
                     [&owner](bool checked) { owner.DoUserClick(checked); });
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
