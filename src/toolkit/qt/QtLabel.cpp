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
  // As QLabel measures its own text for its size hint.
  int TextWidth(const std::u16string& text) const override {
    return FWidget->fontMetrics()
        .boundingRect(QRect(0, 0, 2000, 2000), static_cast<int>(FWidget->alignment()),
                      ToQString(text))
        .width();
  }
};

}  // namespace
}  // namespace toolkit::qt

namespace toolkit {

std::unique_ptr<LabelPeer> CreateLabelPeer(TControl& owner, WidgetPeer& parent) {
  return std::make_unique<qt::QtLabelPeer>(owner, parent);
}

}  // namespace toolkit
