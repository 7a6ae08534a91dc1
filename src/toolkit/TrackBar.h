#pragma once

#include "toolkit/Control.h"

namespace toolkit {

// A horizontal slider with a tick mark at every unit below the track; arrow keys move it by 1,
// page keys by 2.
class TTrackBar : public TControl {
 public:
  explicit TTrackBar(TContainer& parent);

  int Min() const { return FMin; }
  int Max() const { return FMax; }
  // Keeps the position inside the new range without raising OnChange.
  void SetRange(int min, int max);
  int Position() const { return FPosition; }
  // Clamped to the range; raises OnChange when the position actually changes.
  void SetPosition(int position);
  int SelStart() const { return FSelStart; }
  int SelEnd() const { return FSelEnd; }
  // A highlighted stretch of the track.
  void SetSelection(int start, int end);

  // Raised for every change of the position: every step of a user's move, and changes by code.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
  // Backend entry point: the user moved the slider to this position.
  void DoUserMove(int position);

 private:
  void Change();

  TrackBarPeer& FTrackBarPeer;
  int FMin = 0;
  int FMax = 10;
  int FPosition = 0;
  int FSelStart = 0;
  int FSelEnd = 0;
  TNotifyEvent FOnChange;
};

}  // namespace toolkit
