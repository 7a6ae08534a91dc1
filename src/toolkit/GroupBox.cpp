#include "toolkit/GroupBox.h"

namespace toolkit {

TGroupBox::TGroupBox(TContainer& parent)
    : TControl(parent, CreateGroupBoxPeer(*this, parent.ContainerPeer())),
      FCaptionPeer(static_cast<CaptionPeer&>(Peer())) {}

void TGroupBox::SetCaption(std::u16string caption) {
  FCaption = std::move(caption);
  FCaptionPeer.SetCaption(FCaption);
}

}  // namespace toolkit
