#include "toolkit/CheckBox.h"

#include "toolkit/Application.h"

namespace toolkit {

TCheckBox::TCheckBox(TContainer& parent)
    : TControl(parent, CreateCheckBoxPeer(*this, parent.ContainerPeer())),
      FCheckBoxPeer(static_cast<CheckBoxPeer&>(Peer())) {}

void TCheckBox::SetCaption(std::u16string caption) {
  FCaption = std::move(caption);
  FCheckBoxPeer.SetCaption(FCaption);
}

void TCheckBox::SetChecked(bool checked) {
  if (checked == FChecked) {
    return;
  }
  FChecked = checked;
  FCheckBoxPeer.SetChecked(checked);
  Click();
}

void TCheckBox::DoUserClick(bool checked) {
  if (checked == FChecked) {
    return;
  }
  FChecked = checked;
  Application().Dispatch([this] { Click(); });
}

void TCheckBox::Click() {
  if (FOnClick) {
    auto handler = FOnClick;
    handler(*this);
  }
}

}  // namespace toolkit
