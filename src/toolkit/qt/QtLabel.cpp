#include <QLabel>

#include "toolkit/qt/QtControl.h"

namespace toolkit::qt {
namespace {

class QtLabelPeer final : public QtControlPeer<LabelPeer, QtControlWidget<QLabel>> {
 public:
  QtLabelPeer(TControl& owner, WidgetPeer& parent) : QtControlPeer(owner, parent) {
    // Opaque like a Windows label: a group box's frame line does not show through the text.
    FWidget->setAutoFillBackground(true);
  }

  void SetCaption(const std::u16string& caption) override { FWidget->setText(ToQString(caption)); }
  int CaptionWidth() const override { return FWidget->sizeHint().width(); }
};

}  // namespace
}  // namespace toolkit::qt

namespace toolkit {

std::unique_ptr<LabelPeer> CreateLabelPeer(TControl& owner, WidgetPeer& parent) {
  return std::make_unique<qt::QtLabelPeer>(owner, parent);
}

}  // namespace toolkit
