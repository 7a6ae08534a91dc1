#include "toolkit/win32/WinControl.h"
#include "toolkit/win32/WinText.h"

namespace toolkit::win32 {
namespace {

// A frame with a caption that holds controls: their notifications come to it and are passed
// on to them like any parent's.
class WinGroupBoxPeer final : public WinControl<CaptionPeer> {
 public:
  WinGroupBoxPeer(TControl& owner, WidgetPeer& parent)
      : WinControl(owner, parent, WC_BUTTONW, BS_GROUPBOX | WS_CLIPCHILDREN) {}

  void SetCaption(const std::u16string& caption) override {
    SetWindowTextW(Handle(), Wide(caption));
  }

 protected:
  bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    // The button class leaves the inside of a group box to whatever lies below it.
    if (msg == WM_ERASEBKGND) {
      RECT client{};
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      result = TRUE;
      return true;
    }
    return WinControl::Message(msg, wParam, lParam, result);
  }
};

}  // namespace
}  // namespace toolkit::win32

namespace toolkit {

std::unique_ptr<CaptionPeer> CreateGroupBoxPeer(TControl& owner, WidgetPeer& parent) {
  return std::make_unique<win32::WinGroupBoxPeer>(owner, parent);
}

}  // namespace toolkit
