#include <algorithm>

#include "toolkit/GroupBox.h"
#include "toolkit/TrackBar.h"
#include "toolkit/win32/WinControl.h"

namespace toolkit::win32 {
namespace {

// A horizontal trackbar with a tick at every unit below the track and a selection range. The
// trackbar reports the user's moves to its parent; setting it from code reports nothing.
class WinTrackBarPeer final : public WinControl<TrackBarPeer> {
 public:
  WinTrackBarPeer(TTrackBar& owner, WidgetPeer& parent)
      : WinControl(owner, parent, TRACKBAR_CLASSW,
                   WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | TBS_ENABLESELRANGE),
        FOwner(owner) {
    SendMessageW(Handle(), TBM_SETLINESIZE, 0, 1);
    SendMessageW(Handle(), TBM_SETPAGESIZE, 0, 2);
  }

  void SetRange(int min, int max) override {
    SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min);
    SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max);
    SendMessageW(Handle(), TBM_SETTICFREQ, 1, 0);
  }
  void SetPosition(int position) override { SendMessageW(Handle(), TBM_SETPOS, TRUE, position); }
  void SetSelection(int start, int end) override {
    SendMessageW(Handle(), TBM_SETSEL, TRUE, MAKELPARAM(start, end));
  }

 protected:
  // A trackbar shows no text of its own: its text, the name screen readers give it, is the
  // caption of the group box it lies in.
  bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    // The owner is asked only then: while this peer is built, its owner is not yet.
    const bool text = msg == WM_GETTEXT || msg == WM_GETTEXTLENGTH;
    const auto* group = text ? dynamic_cast<const TGroupBox*>(&FOwner.Parent()) : nullptr;
    if (group == nullptr) {
      return WinControl::Message(msg, wParam, lParam, result);
    }
    const std::u16string& name = group->Caption();
    if (msg == WM_GETTEXTLENGTH) {
      result = static_cast<LRESULT>(name.size());
      return true;
    }
    const std::size_t copied = wParam > 0 ? std::min<std::size_t>(name.size(), wParam - 1) : 0;
    if (wParam > 0) {
      auto* buffer = reinterpret_cast<char16_t*>(lParam);
      std::copy_n(name.begin(), copied, buffer);
      buffer[copied] = u'\0';
    }
    result = static_cast<LRESULT>(copied);
    return true;
  }

  bool Notification(UINT msg, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& result) override {
    if (msg != WM_HSCROLL) {
      return false;
    }
    FOwner.DoUserMove(static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)));
    result = 0;
    return true;
  }

 private:
  TTrackBar& FOwner;
};

}  // namespace
}  // namespace toolkit::win32

namespace toolkit {

std::unique_ptr<TrackBarPeer> CreateTrackBarPeer(TTrackBar& owner, WidgetPeer& parent) {
  return std::make_unique<win32::WinTrackBarPeer>(owner, parent);
}

}  // namespace toolkit
