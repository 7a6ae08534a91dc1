#include "toolkit/win32/WinPopupMenu.h"

#include <string>

#include "toolkit/win32/WinText.h"

namespace toolkit::win32 {

WinPopupMenuPeer::WinPopupMenuPeer() : FMenu(CreatePopupMenu()) {}

WinPopupMenuPeer::~WinPopupMenuPeer() {
  DestroyMenu(FMenu);
}

void WinPopupMenuPeer::Popup(HWND owner, POINT position) {
  // The owner must be the foreground window, or a click elsewhere does not close the menu.
  SetForegroundWindow(owner);
  const auto command = static_cast<UINT>(
      TrackPopupMenuEx(FMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                       position.x, position.y, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);  // lets the next menu open properly
  const auto chosen = FItems.find(command);
  if (chosen != FItems.end()) {
    chosen->second->DoClick();
  }
}

UINT WinPopupMenuPeer::Add(TMenuItem& item) {
  const UINT command = ++FLastCommand;
  AppendMenuW(FMenu, MF_STRING, command, L"");
  FItems.emplace(command, &item);
  return command;
}

void WinPopupMenuPeer::Remove(UINT command) {
  DeleteMenu(FMenu, command, MF_BYCOMMAND);
  FItems.erase(command);
}

namespace {

class WinMenuItemPeer final : public MenuItemPeer {
 public:
  WinMenuItemPeer(TMenuItem& owner, WinPopupMenuPeer& menu)
      : FMenu(menu), FCommand(menu.Add(owner)) {}
  ~WinMenuItemPeer() override { FMenu.Remove(FCommand); }

  void SetCaption(const std::u16string& caption) override {
    std::u16string text = caption;
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;
    item.dwTypeData = reinterpret_cast<wchar_t*>(text.data());
    SetMenuItemInfoW(FMenu.Menu(), FCommand, FALSE, &item);
  }
  // Windows menus have no hint line of their own; the hint is kept by the item.
  void SetHint(const std::u16string& /*hint*/) override {}

 private:
  WinPopupMenuPeer& FMenu;
  UINT FCommand;
};

}  // namespace
}  // namespace toolkit::win32

namespace toolkit {

std::unique_ptr<PopupMenuPeer> CreatePopupMenuPeer() {
  return std::make_unique<win32::WinPopupMenuPeer>();
}

std::unique_ptr<MenuItemPeer> CreateMenuItemPeer(TMenuItem& owner, PopupMenuPeer& menu) {
  return std::make_unique<win32::WinMenuItemPeer>(owner,
                                                  static_cast<win32::WinPopupMenuPeer&>(menu));
}

}  // namespace toolkit
