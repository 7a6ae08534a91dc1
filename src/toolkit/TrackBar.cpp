#include "toolkit/TrackBar.h"

#include <algorithm>

#include "toolkit/Application.h"

namespace toolkit {

TTrackBar::TTrackBar(TContainer& parent)
    : TControl(parent, CreateTrackBarPeer(*this, parent.ContainerPeer())),
      FTrackBarPeer(static_cast<TrackBarPeer&>(Peer())) {
  FTrackBarPeer.SetRange(FMin, FMax);
  FTrackBarPeer.SetPosition(FPosition);
}

void TTrackBar::SetRange(int min, int max) {
  FMin = min;
  FMax = std::max(min, max);
  FPosition = std::clamp(FPosition, FMin, FMax);
  FTrackBarPeer.SetRange(FMin, FMax);
  FTrackBarPeer.SetPosition(FPosition);
}

void TTrackBar::SetPosition(int position) {
  position = std::clamp(position, FMin, FMax);
  if (position == FPosition) {
    return;
  }
  FPosition = position;
  FTrackBarPeer.SetPosition(position);
  Change();
}

void TTrackBar::SetSelection(int start, int end) {
  FSelStart = start;
  FSelEnd = end;
  FTrackBarPeer.SetSelection(start, end);
}

void TTrackBar::DoUserMove(int position) {
  if (position == FPosition) {
    return;
  }
  FPosition = position;
  Application().Dispatch([this] { Change(); });
}

void TTrackBar::Change() {
  if (FOnChange) {
    auto handler = FOnChange;
    handler(*this);
  }
}

}  // namespace toolkit
