#include "toolkit/ListBox.h"
#include "toolkit/win32/WinControl.h"
#include "toolkit/win32/WinText.h"

namespace toolkit::win32 {
namespace {

// LB_SETCURSEL selects and scrolls without notifying; only the user's selections notify, and
// nothing here listens to them: the owner reads the selection on key-up and mouse-up.
class WinListBoxPeer final : public WinControl<ListBoxPeer> {
 public:
  WinListBoxPeer(TListBox& owner, WidgetPeer& parent)
      : WinControl(owner, parent, WC_LISTBOXW,
                   WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE) {}

  // A list box shows no text of its own: its text is the hint, the name screen readers give it.
  void SetHint(const std::u16string& hint) override {
    WinControl::SetHint(hint);
    SetWindowTextW(Handle(), Wide(hint));
  }

  void SetItems(const std::vector<std::u16string>& items) override {
    SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
    for (const auto& item : items) {
      SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item)));
    }
    SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, FItemHeight);
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  void SetItemHeight(int height) override {
    FItemHeight = AtSystemDpi(height);
    SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, FItemHeight);
  }
  void SetParentColor(bool parentColor) override {
    FParentColor = parentColor;
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  int ItemIndex() const override {
    const auto selected = SendMessageW(Handle(), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
  }
  void SetItemIndex(int index) override { SendMessageW(Handle(), LB_SETCURSEL, index, 0); }

 protected:
  bool Notification(UINT msg, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) override {
    if (msg != WM_CTLCOLORLISTBOX || !FParentColor) {
      return false;
    }
    SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }

 private:
  int FItemHeight = 13;
  bool FParentColor = false;
};

}  // namespace
}  // namespace toolkit::win32

namespace toolkit {

std::unique_ptr<ListBoxPeer> CreateListBoxPeer(TListBox& owner, WidgetPeer& parent) {
  return std::make_unique<win32::WinListBoxPeer>(owner, parent);
}

}  // namespace toolkit
