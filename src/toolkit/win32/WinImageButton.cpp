#include <cstdlib>
#include <memory>

#include "toolkit/ImageButton.h"
#include "toolkit/win32/WinControl.h"
#include "toolkit/win32/WinDpi.h"
#include "toolkit/win32/WinGlyph.h"
#include "toolkit/win32/WinText.h"

namespace toolkit::win32 {
namespace {

// An owner-drawn push button: the system's button face with the picture in its middle, greyed
// when the button is disabled. Every click counts, a quick second one too, and Return clicks
// the focused button as Space does.
class WinImageButtonPeer final : public WinControl<ImageButtonPeer> {
 public:
  WinImageButtonPeer(TImageButton& owner, WidgetPeer& parent)
      : WinControl(owner, parent, WC_BUTTONW, WS_TABSTOP | BS_OWNERDRAW), FOwner(owner) {}

  // The button draws no caption: its text is the hint, the name screen readers give it.
  void SetHint(const std::u16string& hint) override {
    WinControl::SetHint(hint);
    SetWindowTextW(Handle(), Wide(hint));
  }

  void LoadGlyph(std::span<const std::byte> bitmapFile) override {
    FGlyph = std::make_unique<Glyph>(bitmapFile);
    FGlyphPercent = 100;
    InvalidateRect(Handle(), nullptr, TRUE);
  }

  // The picture drawn for the scale nearest the system DPI's, the layout being scaled by it.
  void AddScaledGlyph(int percent, std::span<const std::byte> bitmapFile) override {
    const int systemPercent = MulDiv(SystemDpi(), 100, USER_DEFAULT_SCREEN_DPI);
    if (std::abs(percent - systemPercent) < std::abs(FGlyphPercent - systemPercent)) {
      FGlyph = std::make_unique<Glyph>(bitmapFile);
      FGlyphPercent = percent;
      InvalidateRect(Handle(), nullptr, TRUE);
    }
  }

 protected:
  bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (msg == WM_LBUTTONDBLCLK) {
      result = Default(WM_LBUTTONDOWN, wParam, lParam);
      return true;
    }
    if (msg == WM_KEYDOWN && wParam == VK_RETURN && (lParam & (1 << 30)) == 0) {
      FOwner.DoClick();
      result = 0;
      return true;
    }
    return WinControl::Message(msg, wParam, lParam, result);
  }

  bool Notification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    result = TRUE;
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
      FOwner.DoClick();
      return true;
    }
    if (msg == WM_DRAWITEM) {
      Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return true;
    }
    return false;
  }

 private:
  void Draw(const DRAWITEMSTRUCT& item) const {
    RECT face = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    const int shift = pressed ? 1 : 0;
    if (FGlyph != nullptr) {
      FGlyph->Draw(item.hDC, (face.right - face.left - FGlyph->Width()) / 2 + shift,
                   (face.bottom - face.top - FGlyph->Height()) / 2 + shift,
                   (item.itemState & ODS_DISABLED) == 0);
    }
    if ((item.itemState & ODS_FOCUS) != 0) {
      RECT focus = item.rcItem;
      InflateRect(&focus, -4, -4);
      DrawFocusRect(item.hDC, &focus);
    }
  }

  TImageButton& FOwner;
  std::unique_ptr<Glyph> FGlyph;
  int FGlyphPercent = 100;
};

}  // namespace
}  // namespace toolkit::win32

namespace toolkit {

std::unique_ptr<ImageButtonPeer> CreateImageButtonPeer(TImageButton& owner, WidgetPeer& parent) {
  return std::make_unique<win32::WinImageButtonPeer>(owner, parent);
}

}  // namespace toolkit
