#include "toolkit/win32/WinControl.h"
#include "toolkit/win32/WinDpi.h"
#include "toolkit/win32/WinText.h"

namespace toolkit::win32 {
namespace {

class WinLabelPeer final : public WinControl<LabelPeer> {
 public:
  WinLabelPeer(TControl& owner, WidgetPeer& parent)
      : WinControl(owner, parent, WC_STATICW, SS_LEFT) {}

  void SetCaption(const std::u16string& caption) override {
    SetWindowTextW(Handle(), Wide(caption));
  }

  int TextWidth(const std::u16string& text) const override {
    HDC dc = GetDC(Handle());
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, Wide(text), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(Handle(), dc);
    // In the 96 DPI layout's pixels, rounded up: the text was measured in its scaled font.
    return (extent.cx * USER_DEFAULT_SCREEN_DPI + SystemDpi() - 1) / SystemDpi();
  }
};

}  // namespace
}  // namespace toolkit::win32

namespace toolkit {

std::unique_ptr<LabelPeer> CreateLabelPeer(TControl& owner, WidgetPeer& parent) {
  return std::make_unique<win32::WinLabelPeer>(owner, parent);
}

}  // namespace toolkit
