#pragma once

#include <string>

#include "toolkit/Control.h"

namespace toolkit {

// A line of text. Its width follows its text: it grows and shrinks to the right of Left.
class TLabel : public TControl {
 public:
  explicit TLabel(TContainer& parent);

  const std::u16string& Caption() const { return FCaption; }
  void SetCaption(std::u16string caption);
  bool TabStop() const override { return false; }

 private:
  LabelPeer& FLabelPeer;
  std::u16string FCaption;
};

}  // namespace toolkit
