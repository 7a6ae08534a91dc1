#include <QAction>
#include <QMenu>
#include <QPointer>

#include "toolkit/PopupMenu.h"
#include "toolkit/qt/QtNative.h"
#include "toolkit/qt/QtText.h"

namespace toolkit::qt {
namespace {

class QtPopupMenuPeer final : public PopupMenuPeer, public QtNative {
 public:
  QWidget* Widget() const override { return &FMenu; }

 private:
  mutable QMenu FMenu;
};

class QtMenuItemPeer final : public MenuItemPeer {
 public:
  QtMenuItemPeer(TMenuItem& owner, PopupMenuPeer& menu)
      : FAction(NativeMenu(menu)->addAction(QString())) {
    QObject::connect(FAction, &QAction::triggered, [&owner] { owner.DoClick(); });
  }
  ~QtMenuItemPeer() override { delete FAction.data(); }

  void SetCaption(const std::u16string& caption) override { FAction->setText(ToQString(caption)); }
  void SetHint(const std::u16string& hint) override { FAction->setStatusTip(ToQString(hint)); }

 private:
  QPointer<QAction> FAction;
};

}  // namespace
}  // namespace toolkit::qt

namespace toolkit {

std::unique_ptr<PopupMenuPeer> CreatePopupMenuPeer() {
  return std::make_unique<qt::QtPopupMenuPeer>();
}

std::unique_ptr<MenuItemPeer> CreateMenuItemPeer(TMenuItem& owner, PopupMenuPeer& menu) {
  return std::make_unique<qt::QtMenuItemPeer>(owner, menu);
}

}  // namespace toolkit
