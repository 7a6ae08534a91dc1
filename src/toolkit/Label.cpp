#include "toolkit/Label.h"

namespace toolkit {

TLabel::TLabel(TContainer& parent)
    : TControl(parent, CreateLabelPeer(*this, parent.ContainerPeer())),
      FLabelPeer(static_cast<LabelPeer&>(Peer())) {}

void TLabel::SetCaption(std::u16string caption) {
  FCaption = std::move(caption);
  FLabelPeer.SetCaption(FCaption);
  SetBounds(Left(), Top(), FLabelPeer.TextWidth(FCaption), Height());
}

}  // namespace toolkit
