#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Object.h"
#include "toolkit/Peers.h"

namespace toolkit {

class TControl;

// Something controls are placed on: a form or a group box. Positions of its controls are
// relative to its client area.
class TContainer {
 public:
  TContainer() = default;
  virtual ~TContainer() = default;
  TContainer(const TContainer&) = delete;
  TContainer& operator=(const TContainer&) = delete;

  // In creation order.
  const std::vector<TControl*>& Controls() const { return FControls; }
  // The focusable controls of this container and of the containers in it, in the order Tab
  // visits them: siblings by TabOrder, a container's controls in place of the container.
  std::vector<TControl*> TabChain() const;
  virtual WidgetPeer& ContainerPeer() = 0;

 private:
  friend class TControl;
  std::vector<TControl*> FControls;
};

// A visible control placed on a container. Controls are created after their container and
// destroyed before it (declare them after it).
class TControl : public TObject {
 public:
  ~TControl() override;

  TContainer& Parent() const { return FParent; }

  int Left() const { return FBounds.Left; }
  int Top() const { return FBounds.Top; }
  int Width() const { return FBounds.Width; }
  int Height() const { return FBounds.Height; }
  void SetBounds(int left, int top, int width, int height);

  bool Enabled() const { return FEnabled; }
  // Disabling the focused control moves the focus to the next control.
  void SetEnabled(bool enabled);
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);

  // The tooltip; an empty hint shows the container's.
  const std::u16string& Hint() const { return FHint; }
  void SetHint(std::u16string hint);

  // Position among the container's controls for Tab; equal values keep creation order.
  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int tabOrder) { FTabOrder = tabOrder; }
  // Whether Tab stops here (labels and group boxes: no).
  virtual bool TabStop() const { return true; }

  bool Focused() const;
  // The control and every control it lies on are visible and enabled.
  bool CanFocus() const;
  // Throws Exception "無効/非表示ウィンドウにはフォーカスを設定できません" when the control cannot
  // take the focus and does not have it already.
  void SetFocus();

  // Raised for every key released while the control has the focus.
  const TKeyEvent& OnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent handler) { FOnKeyUp = std::move(handler); }
  // Raised for every mouse button released over the control.
  const TMouseEvent& OnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent handler) { FOnMouseUp = std::move(handler); }

  // Backend entry points for user input; an exception leaving a handler is shown, not thrown.
  void DoKeyUp(std::uint16_t key, TShiftState shift);
  void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y);

  ControlPeer& Peer() const { return *FPeer; }

 protected:
  TControl(TContainer& parent, std::unique_ptr<ControlPeer> peer);

 private:
  TContainer& FParent;
  std::unique_ptr<ControlPeer> FPeer;
  TRect FBounds;
  bool FEnabled = true;
  bool FVisible = true;
  std::u16string FHint;
  int FTabOrder = 0;
  TKeyEvent FOnKeyUp;
  TMouseEvent FOnMouseUp;
};

}  // namespace toolkit
