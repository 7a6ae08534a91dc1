#pragma once

#include <string>

#include "toolkit/Control.h"

namespace toolkit {

// A frame with a caption that holds controls.
class TGroupBox : public TControl, public TContainer {
 public:
  explicit TGroupBox(TContainer& parent);

  const std::u16string& Caption() const { return FCaption; }
  void SetCaption(std::u16string caption);
  bool TabStop() const override { return false; }

  WidgetPeer& ContainerPeer() override { return Peer(); }

 private:
  CaptionPeer& FCaptionPeer;
  std::u16string FCaption;
};

}  // namespace toolkit
