#include <QGroupBox>

#include "toolkit/qt/QtControl.h"

namespace toolkit::qt {
namespace {

class QtGroupBoxPeer final : public QtControlPeer<CaptionPeer, QtControlWidget<QGroupBox>> {
 public:
  using QtControlPeer::QtControlPeer;

  void SetCaption(const std::u16string& caption) override { FWidget->setTitle(ToQString(caption)); }
};

}  // namespace
}  // namespace toolkit::qt

namespace toolkit {

std::unique_ptr<CaptionPeer> CreateGroupBoxPeer(TControl& owner, WidgetPeer& parent) {
  return std::make_unique<qt::QtGroupBoxPeer>(owner, parent);
}

}  // namespace toolkit
