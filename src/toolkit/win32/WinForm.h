#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/Peers.h"
#include "toolkit/win32/WinWindow.h"

namespace toolkit::win32 {

class WinPopupMenuPeer;

// A top-level window of fixed size, with the services its controls share: the font, the
// tooltips, the keyboard focus (remembered while the window is inactive, as the focus of a
// dialog is) and the popup menu.
class WinFormPeer final : public FormPeer, public WinWindow {
 public:
  explicit WinFormPeer(TForm& owner);
  ~WinFormPeer() override;

  // The form a window lies on, or nullptr.
  static WinFormPeer* Of(HWND handle);

  // The window, created on first use: its class is named after the form's class, which is only
  // known once the derived form's constructor runs, and lets other programs find the window.
  HWND Window();
  const std::u16string& Hint() const override { return FHint; }

  void SetCaption(const std::u16string& caption) override;
  void SetHint(const std::u16string& hint) override;
  void SetFont(const std::u16string& family, int pixelHeight) override;
  void SetClientSize(int width, int height) override;
  int Left() const override;
  int Top() const override;
  void SetPosition(int left, int top) override;
  TRect FrameBounds() const override;
  int TitleBarHeight() const override;
  std::vector<TRect> WorkAreas() const override;
  void SetPopupMenu(PopupMenuPeer* menu) override;
  void SetFocusChain(const std::vector<ControlPeer*>& chain) override;
  void Show() override;
  bool Visible() const override;
  void Close() override;
  bool Minimized() const override;
  void Restore() override;
  void BringToFront() override;

  HFONT Font() const { return FFont; }
  void AddTool(HWND control);
  void RemoveTool(HWND control);
  // Hint changes show from then on, also in a tooltip that is showing.
  void HintChanged();

  // The control that has the focus, or gets it when the window is next activated.
  HWND FocusedControl() const;
  void FocusControl(HWND control);
  void FocusChanged(HWND control);
  // Moves the focus to the next control of the chain that can take it.
  void FocusNext(HWND from, bool forward);
  // Tab and arrow keys between the controls; true when the key was used so.
  bool DialogKey(const MSG& message);
  // Opens the window's popup menu at a screen position.
  void ShowPopupMenu(POINT position);

 protected:
  bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Create();
  RECT OuterBounds() const;
  bool CanFocus(HWND control) const;
  const std::u16string& EffectiveHint(HWND tool) const;

  TForm& FOwner;
  HWND FTooltip = nullptr;
  HFONT FFont = nullptr;
  std::u16string FHint;
  std::u16string FTipText;
  std::vector<HWND> FFocusChain;
  HWND FFocused = nullptr;
  WinPopupMenuPeer* FPopupMenu = nullptr;
};

}  // namespace toolkit::win32
