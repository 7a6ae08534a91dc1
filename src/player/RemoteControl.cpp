#include "player/RemoteControl.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "player/Catalogue.h"
#include "player/CatalogueTitles.h"
#include "player/Unit1.h"

namespace {

// Chains `after` behind whatever handler the event has.
template <typename Event, typename Setter>
void Follow(const Event& event, Setter set, std::function<void()> after) {
  set([handler = event, after = std::move(after)](auto&&... args) {
    if (handler) {
      handler(args...);
    }
    after();
  });
}

}  // namespace

RemoteControl::RemoteControl(TForm1& form) : FForm(form) {
  AttachToEvents();
  FState = Observe();
}

// Every path that changes what a remote shows ends in one of these events: a notification starts
// the next piece, the commands disable and the pause button toggles controls, the mixer moves the
// volume slider, and code or the user toggles the repeat box.
void RemoteControl::AttachToEvents() {
  const auto refresh = [alive = std::weak_ptr<RemoteControl*>(FAlive)] {
    if (const auto remote = alive.lock()) {
      (*remote)->Refresh();
    }
  };
  auto& f = FForm;
  Follow(
      f.MediaPlayer.OnNotify(), [&f](auto h) { f.MediaPlayer.SetOnNotify(std::move(h)); }, refresh);
  Follow(
      f.TrackBarVolume.OnChange(), [&f](auto h) { f.TrackBarVolume.SetOnChange(std::move(h)); },
      refresh);
  Follow(
      f.RePeatChek.OnClick(), [&f](auto h) { f.RePeatChek.SetOnClick(std::move(h)); }, refresh);
  Follow(
      f.PauseBtn.OnClick(), [&f](auto h) { f.PauseBtn.SetOnClick(std::move(h)); }, refresh);
  Follow(
      f.NextBtn.OnClick(), [&f](auto h) { f.NextBtn.SetOnClick(std::move(h)); }, refresh);
  Follow(
      f.BackSkip.OnClick(), [&f](auto h) { f.BackSkip.SetOnClick(std::move(h)); }, refresh);
  Follow(
      f.Jump10Mujic1.OnClick(), [&f](auto h) { f.Jump10Mujic1.SetOnClick(std::move(h)); }, refresh);
  Follow(
      f.ListBox.OnKeyUp(), [&f](auto h) { f.ListBox.SetOnKeyUp(std::move(h)); }, refresh);
  Follow(
      f.ListBox.OnMouseUp(), [&f](auto h) { f.ListBox.SetOnMouseUp(std::move(h)); }, refresh);
  Follow(
      f.MusicTrackBar.OnKeyUp(), [&f](auto h) { f.MusicTrackBar.SetOnKeyUp(std::move(h)); },
      refresh);
}

void RemoteControl::Next() {
  if (FForm.NextBtn.Enabled()) {
    FForm.NextBtn.DoClick();
  }
}

void RemoteControl::Previous() {
  if (FForm.BackSkip.Enabled()) {
    FForm.BackSkip.DoClick();
  }
}

void RemoteControl::PlayPause() {
  if (FForm.PauseBtn.Enabled()) {
    FForm.PauseBtn.DoClick();
  }
}

void RemoteControl::Play() {
  if (FForm.PauseStat) {
    PlayPause();
  }
}

void RemoteControl::Pause() {
  if (!FForm.PauseStat) {
    PlayPause();
  }
}

void RemoteControl::SetRepeat(bool repeat) {
  if (FForm.RePeatChek.Enabled()) {
    FForm.RePeatChek.DoUserClick(repeat);
  }
}

void RemoteControl::SetVolume(double volume) {
  auto& slider = FForm.TrackBarVolume;
  if (!slider.Enabled() || !std::isfinite(volume)) {
    return;
  }
  const double clamped = std::clamp(volume, 0.0, 1.0);
  const int span = slider.Max() - slider.Min();
  slider.DoUserMove(slider.Min() + static_cast<int>(std::lround(clamped * span)));
}

void RemoteControl::Quit() {
  FForm.MenuM1.DoClick();
}

std::int32_t RemoteControl::PositionMs() {
  if (FForm.MediaPlayer.DeviceID() == 0) {
    return 0;
  }
  return std::max(FForm.MediaPlayer.Position(), 0);
}

void RemoteControl::Refresh() {
  RemoteState now = Observe();
  if (now == FState) {
    return;
  }
  FState = std::move(now);
  if (FOnChange) {
    FOnChange();
  }
}

RemoteState RemoteControl::Observe() {
  RemoteState state;
  auto& player = FForm.MediaPlayer;
  state.playable = player.DeviceID() != 0;
  state.paused = FForm.PauseStat;
  state.repeat = FForm.RePeatChek.Checked();
  const auto& slider = FForm.TrackBarVolume;
  const int span = slider.Max() - slider.Min();
  state.volume = span > 0 ? static_cast<double>(slider.Position() - slider.Min()) / span : 0.0;
  state.canNext = state.playable && FForm.NextBtn.Enabled();
  state.canPrevious = state.playable && FForm.BackSkip.Enabled();
  state.canPlayPause = state.playable && FForm.PauseBtn.Enabled();
  state.piece = FForm.OpenPiece();
  if (state.piece == FState.piece && state.playable == FState.playable) {
    state.title = FState.title;
    state.lengthMs = FState.lengthMs;
    return state;
  }
  if (state.piece >= 1 && state.piece <= kPieceCount) {
    state.title = CatalogueTitles()[static_cast<std::size_t>(state.piece - 1)];
  }
  if (state.playable && player.TimeFormat() == tfMilliseconds) {
    state.lengthMs = std::max(player.Length(), 0);
  }
  return state;
}
