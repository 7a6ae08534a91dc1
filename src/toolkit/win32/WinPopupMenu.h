#pragma once

#include <windows.h>

#include <map>

#include "toolkit/Peers.h"
#include "toolkit/PopupMenu.h"

namespace toolkit::win32 {

class WinPopupMenuPeer final : public PopupMenuPeer {
 public:
  WinPopupMenuPeer();
  ~WinPopupMenuPeer() override;

  HMENU Menu() const { return FMenu; }
  // Shows the menu at a screen position until the user chooses an entry or dismisses it, then
  // raises the chosen entry's click.
  void Popup(HWND owner, POINT position);

  // The command identifier of a new entry at the end of the menu.
  UINT Add(TMenuItem& item);
  void Remove(UINT command);

 private:
  HMENU FMenu;
  std::map<UINT, TMenuItem*> FItems;
  UINT FLastCommand = 0;
};

}  // namespace toolkit::win32
