#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "toolkit/Control.h"
#include "toolkit/Object.h"
#include "toolkit/Peers.h"

namespace toolkit {

class TPopupMenu;

// A top-level window of fixed size. Derived forms build their controls in their constructor;
// TApplication::CreateForm then runs the create handler.
class TForm : public TObject, public TContainer {
 public:
  TForm();
  ~TForm() override;

  const std::u16string& Caption() const { return FCaption; }
  void SetCaption(std::u16string caption);
  // Shown over the window's bare area and over controls without a hint of their own.
  const std::u16string& Hint() const { return FHint; }
  void SetHint(std::u16string hint);
  // Negative heights are character heights in pixels, as in a Windows LOGFONT.
  void SetFont(const std::u16string& family, int height);

  // The window's outer top-left corner on the screen, wherever the user moved it.
  int Left() const;
  int Top() const;
  void SetLeft(int left);
  void SetTop(int top);
  int ClientWidth() const { return FClientWidth; }
  int ClientHeight() const { return FClientHeight; }
  void SetClientSize(int width, int height);

  // The context menu of the whole window, controls included.
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);

  // Shows the window where the user can reach it and, unless a control has the focus, focuses
  // the first in tab order.
  void Show();
  bool Visible() const;
  // Closes the window; closing the main form ends the message loop.
  void Close();
  bool Minimized() const;

  const TNotifyEvent& OnCreate() const { return FOnCreate; }
  void SetOnCreate(TNotifyEvent handler) { FOnCreate = std::move(handler); }
  const TNotifyEvent& OnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent handler) { FOnDestroy = std::move(handler); }

  // Called by TApplication around the form's life; exceptions are shown, not thrown.
  void DoCreate();
  void DoDestroy();
  // Backend entry point: the window was closed, by Close or by the user.
  void DoClosed();
  // Backend entry point: the window system has framed the shown window; until then the frame's
  // extent was a guess.
  void DoFramed();

  WidgetPeer& ContainerPeer() override { return *FPeer; }
  FormPeer& Peer() const { return *FPeer; }

 private:
  // Returns whether the window had to move.
  bool MoveIntoReach(int left, int top);

  std::unique_ptr<FormPeer> FPeer;
  std::u16string FCaption;
  std::u16string FHint;
  int FClientWidth = 0;
  int FClientHeight = 0;
  TPopupMenu* FPopupMenu = nullptr;
  // Where the window was out of reach before it was shown, until it is framed.
  std::optional<std::pair<int, int>> FUnreachablePosition;
  TNotifyEvent FOnCreate;
  TNotifyEvent FOnDestroy;
};

}  // namespace toolkit
