#include "toolkit/ListBox.h"

namespace toolkit {

TListBox::TListBox(TContainer& parent)
    : TControl(parent, CreateListBoxPeer(*this, parent.ContainerPeer())),
      FListBoxPeer(static_cast<ListBoxPeer&>(Peer())) {
  FListBoxPeer.SetItemHeight(FItemHeight);
}

void TListBox::SetItems(std::vector<std::u16string> items) {
  FItems = std::move(items);
  FListBoxPeer.SetItems(FItems);
}

void TListBox::SetItemHeight(int height) {
  FItemHeight = height;
  FListBoxPeer.SetItemHeight(height);
}

void TListBox::SetParentColor(bool parentColor) {
  FParentColor = parentColor;
  FListBoxPeer.SetParentColor(parentColor);
}

int TListBox::ItemIndex() const {
  return FListBoxPeer.ItemIndex();
}

void TListBox::SetItemIndex(int index) {
  const bool exists = index >= 0 && static_cast<std::size_t>(index) < FItems.size();
  FListBoxPeer.SetItemIndex(exists ? index : -1);
}

}  // namespace toolkit
