#pragma once

#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace toolkit {

// A single-selection list of text rows.
class TListBox : public TControl {
 public:
  explicit TListBox(TContainer& parent);

  const std::vector<std::u16string>& Items() const { return FItems; }
  void SetItems(std::vector<std::u16string> items);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int height);
  // Whether the list takes its container's background colour instead of the window colour.
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool parentColor);

  // The selected row counted from 0, or -1 when none is selected.
  int ItemIndex() const;
  // Selects the row and scrolls it into view; -1, or a row that does not exist, clears the
  // selection. Raises no event.
  void SetItemIndex(int index);

 private:
  ListBoxPeer& FListBoxPeer;
  std::vector<std::u16string> FItems;
  int FItemHeight = 13;
  bool FParentColor = false;
};

}  // namespace toolkit
