#include "toolkit/PopupMenu.h"

#include "toolkit/Application.h"

namespace toolkit {

TPopupMenu::TPopupMenu() : FPeer(CreatePopupMenuPeer()) {}

TPopupMenu::~TPopupMenu() = default;

TMenuItem::TMenuItem(TPopupMenu& menu) : FPeer(CreateMenuItemPeer(*this, menu.Peer())) {}

TMenuItem::~TMenuItem() = default;

void TMenuItem::SetCaption(std::u16string caption) {
  FCaption = std::move(caption);
  FPeer->SetCaption(FCaption);
}

void TMenuItem::SetHint(std::u16string hint) {
  FHint = std::move(hint);
  FPeer->SetHint(FHint);
}

void TMenuItem::DoClick() {
  if (FOnClick) {
    Application().Dispatch([this, handler = FOnClick] { handler(*this); });
  }
}

}  // namespace toolkit
