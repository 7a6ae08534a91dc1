#include "toolkit/Control.h"

#include <algorithm>

#include "rtl/Exception.h"
#include "toolkit/Application.h"

namespace toolkit {

std::vector<TControl*> TContainer::TabChain() const {
  std::vector<TControl*> siblings = FControls;
  std::ranges::stable_sort(siblings, {}, &TControl::TabOrder);
  std::vector<TControl*> chain;
  for (TControl* control : siblings) {
    if (const auto* container = dynamic_cast<const TContainer*>(control)) {
      const auto inner = container->TabChain();
      chain.insert(chain.end(), inner.begin(), inner.end());
    } else if (control->TabStop()) {
      chain.push_back(control);
    }
  }
  return chain;
}

TControl::TControl(TContainer& parent, std::unique_ptr<ControlPeer> peer)
    : FParent(parent), FPeer(std::move(peer)) {
  FParent.FControls.push_back(this);
}

TControl::~TControl() {
  std::erase(FParent.FControls, this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  FBounds = {left, top, width, height};
  FPeer->SetBounds(FBounds);
}

void TControl::SetEnabled(bool enabled) {
  FEnabled = enabled;
  FPeer->SetEnabled(enabled);
}

void TControl::SetVisible(bool visible) {
  FVisible = visible;
  FPeer->SetVisible(visible);
}

void TControl::SetHint(std::u16string hint) {
  FHint = std::move(hint);
  FPeer->SetHint(FHint);
}

bool TControl::Focused() const {
  return FPeer->Focused();
}

bool TControl::CanFocus() const {
  for (const TControl* control = this; control != nullptr;
       control = dynamic_cast<const TControl*>(&control->FParent)) {
    if (!control->FVisible || !control->FEnabled) {
      return false;
    }
  }
  return true;
}

void TControl::SetFocus() {
  if (Focused()) {
    return;
  }
  if (!CanFocus()) {
    throw Exception(u"無効/非表示ウィンドウにはフォーカスを設定できません");
  }
  FPeer->SetFocus();
}

void TControl::DoKeyUp(std::uint16_t key, TShiftState shift) {
  if (FOnKeyUp) {
    Application().Dispatch([&, handler = FOnKeyUp] { handler(*this, key, shift); });
  }
}

void TControl::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (FOnMouseUp) {
    Application().Dispatch([&, handler = FOnMouseUp] { handler(*this, button, shift, x, y); });
  }
}

}  // namespace toolkit
