#pragma once

#include <memory>
#include <string>

#include "toolkit/Object.h"
#include "toolkit/Peers.h"

namespace toolkit {

// A context menu; its entries are the TMenuItems created on it, in creation order.
class TPopupMenu : public TObject {
 public:
  TPopupMenu();
  ~TPopupMenu() override;

  PopupMenuPeer& Peer() const { return *FPeer; }

 private:
  std::unique_ptr<PopupMenuPeer> FPeer;
};

// One entry of a popup menu. Declare it after its menu.
class TMenuItem : public TObject {
 public:
  explicit TMenuItem(TPopupMenu& menu);
  ~TMenuItem() override;

  // "&" marks the access key, underlined in the open menu.
  const std::u16string& Caption() const { return FCaption; }
  void SetCaption(std::u16string caption);
  // Shown in the application's hint line, not as a tooltip.
  const std::u16string& Hint() const { return FHint; }
  void SetHint(std::u16string hint);

  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent handler) { FOnClick = std::move(handler); }
  // Backend entry point: the user chose the entry.
  void DoClick();

 private:
  std::unique_ptr<MenuItemPeer> FPeer;
  std::u16string FCaption;
  std::u16string FHint;
  TNotifyEvent FOnClick;
};

}  // namespace toolkit
