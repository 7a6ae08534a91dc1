#include "toolkit/CheckBox.h"
#include "toolkit/win32/WinControl.h"
#include "toolkit/win32/WinText.h"

namespace toolkit::win32 {
namespace {

// The button reports the user's clicks to its parent; BM_SETCHECK reports nothing.
class WinCheckBoxPeer final : public WinControl<CheckBoxPeer> {
 public:
  WinCheckBoxPeer(TCheckBox& owner, WidgetPeer& parent)
      : WinControl(owner, parent, WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX), FOwner(owner) {}

  void SetCaption(const std::u16string& caption) override {
    SetWindowTextW(Handle(), Wide(caption));
  }
  void SetChecked(bool checked) override {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

 protected:
  bool Notification(UINT msg, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) override {
    if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) {
      return false;
    }
    FOwner.DoUserClick(SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED);
    result = 0;
    return true;
  }

 private:
  TCheckBox& FOwner;
};

}  // namespace
}  // namespace toolkit::win32

namespace toolkit {

std::unique_ptr<CheckBoxPeer> CreateCheckBoxPeer(TCheckBox& owner, WidgetPeer& parent) {
  return std::make_unique<win32::WinCheckBoxPeer>(owner, parent);
}

}  // namespace toolkit
