#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "toolkit/MessageBoxRequest.h"

// The backend interface. Each backend (qt/, win32/) implements these peers on its native widgets
// and defines the Create functions. The portable classes keep the state and the rules; a peer
// mirrors them on screen and reports user input to its owner's Do... entry points.
namespace toolkit {

class TCheckBox;
class TControl;
class TForm;
class TImageButton;
class TListBox;
class TMenuItem;
class TTrackBar;

struct TRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

class WidgetPeer {
 public:
  virtual ~WidgetPeer() = default;
};

class ControlPeer : public WidgetPeer {
 public:
  virtual void SetBounds(const TRect& bounds) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetHint(const std::u16string& hint) = 0;
  virtual void SetFocus() = 0;
  // True for the focused control of its window, whether or not that window is active.
  virtual bool Focused() const = 0;
};

class CaptionPeer : public ControlPeer {
 public:
  virtual void SetCaption(const std::u16string& caption) = 0;
};

class LabelPeer : public CaptionPeer {
 public:
  // The width that shows the whole of `text`.
  virtual int TextWidth(const std::u16string& text) const = 0;
};

class TrackBarPeer : public ControlPeer {
 public:
  virtual void SetRange(int min, int max) = 0;
  // Raises no event.
  virtual void SetPosition(int position) = 0;
  virtual void SetSelection(int start, int end) = 0;
};

class CheckBoxPeer : public CaptionPeer {
 public:
  // Raises no event.
  virtual void SetChecked(bool checked) = 0;
};

class ListBoxPeer : public ControlPeer {
 public:
  virtual void SetItems(const std::vector<std::u16string>& items) = 0;
  virtual void SetItemHeight(int height) = 0;
  virtual void SetParentColor(bool parentColor) = 0;
  // The selected row, -1 for none.
  virtual int ItemIndex() const = 0;
  // Selects a row and scrolls it into view; -1 clears the selection. Raises no event.
  virtual void SetItemIndex(int index) = 0;
};

class ImageButtonPeer : public ControlPeer {
 public:
  // A complete .bmp file; the colour of its bottom-left pixel is drawn transparent.
  // Throws Exception when the data is no bitmap.
  virtual void LoadGlyph(std::span<const std::byte> bitmapFile) = 0;
  // The same picture drawn for a display scaled to `percent` (150, 200), added after LoadGlyph;
  // the backend shows the one that suits the display.
  virtual void AddScaledGlyph(int percent, std::span<const std::byte> bitmapFile) = 0;
};

class PopupMenuPeer {
 public:
  virtual ~PopupMenuPeer() = default;
};

class MenuItemPeer {
 public:
  virtual ~MenuItemPeer() = default;
  virtual void SetCaption(const std::u16string& caption) = 0;
  virtual void SetHint(const std::u16string& hint) = 0;
};

class FormPeer : public WidgetPeer {
 public:
  virtual void SetCaption(const std::u16string& caption) = 0;
  virtual void SetHint(const std::u16string& hint) = 0;
  // Height in pixels of the character cell; text without glyphs in the family falls back to a
  // font that has them.
  virtual void SetFont(const std::u16string& family, int pixelHeight) = 0;
  // Fixed: the user can neither resize nor maximise the window.
  virtual void SetClientSize(int width, int height) = 0;
  // The window's outer top-left corner on the screen.
  virtual int Left() const = 0;
  virtual int Top() const = 0;
  virtual void SetPosition(int left, int top) = 0;
  // The outer bounds (title bar and borders included) in the coordinates of the position, and
  // the height of the title bar; before the window system drew them, their likely extent.
  virtual TRect FrameBounds() const = 0;
  virtual int TitleBarHeight() const = 0;
  // The parts of the screens that windows may use; none where the window system keeps the
  // window's position to itself.
  virtual std::vector<TRect> WorkAreas() const = 0;
  // Right clicks anywhere in the window open this menu; nullptr for none.
  virtual void SetPopupMenu(PopupMenuPeer* menu) = 0;
  // The order in which Tab visits the focusable controls.
  virtual void SetFocusChain(const std::vector<ControlPeer*>& chain) = 0;
  virtual void Show() = 0;
  virtual bool Visible() const = 0;
  // Closes the window; the owner's DoClosed follows.
  virtual void Close() = 0;
  virtual bool Minimized() const = 0;
  virtual void Restore() = 0;
  virtual void BringToFront() = 0;
};

class ApplicationPeer {
 public:
  virtual ~ApplicationPeer() = default;
  // An image file (.ico, .png, .bmp) for every window of the application.
  virtual void SetIcon(std::span<const std::byte> imageFile) = 0;
  // The message loop: runs until Quit.
  virtual void Run() = 0;
  virtual void Quit() = 0;
  // Handles every event pending now, then returns.
  virtual void ProcessEvents() = 0;
  // A modal box; returns the Result of the button that closed it.
  virtual int ShowMessageBox(const TMessageBoxRequest& box) = 0;
};

std::unique_ptr<ApplicationPeer> CreateApplicationPeer();
std::unique_ptr<FormPeer> CreateFormPeer(TForm& owner);
std::unique_ptr<CaptionPeer> CreateGroupBoxPeer(TControl& owner, WidgetPeer& parent);
std::unique_ptr<LabelPeer> CreateLabelPeer(TControl& owner, WidgetPeer& parent);
std::unique_ptr<TrackBarPeer> CreateTrackBarPeer(TTrackBar& owner, WidgetPeer& parent);
std::unique_ptr<CheckBoxPeer> CreateCheckBoxPeer(TCheckBox& owner, WidgetPeer& parent);
std::unique_ptr<ListBoxPeer> CreateListBoxPeer(TListBox& owner, WidgetPeer& parent);
std::unique_ptr<ImageButtonPeer> CreateImageButtonPeer(TImageButton& owner, WidgetPeer& parent);
std::unique_ptr<PopupMenuPeer> CreatePopupMenuPeer();
std::unique_ptr<MenuItemPeer> CreateMenuItemPeer(TMenuItem& owner, PopupMenuPeer& menu);

}  // namespace toolkit
