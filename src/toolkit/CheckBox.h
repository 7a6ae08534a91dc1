#pragma once

#include <string>

#include "toolkit/Control.h"

namespace toolkit {

class TCheckBox : public TControl {
 public:
  explicit TCheckBox(TContainer& parent);

  const std::u16string& Caption() const { return FCaption; }
  void SetCaption(std::u16string caption);
  bool Checked() const { return FChecked; }
  // Raises OnClick when the state changes.
  void SetChecked(bool checked);

  // Raised for every change of the state, by the user or by code.
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent handler) { FOnClick = std::move(handler); }
  // Backend entry point: the user toggled the box to this state.
  void DoUserClick(bool checked);

 private:
  void Click();

  CheckBoxPeer& FCheckBoxPeer;
  std::u16string FCaption;
  bool FChecked = false;
  TNotifyEvent FOnClick;
};

}  // namespace toolkit
