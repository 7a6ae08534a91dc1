#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TForm1;

// What a remote (a desktop's media controls, the keyboard's media keys) may show.
struct RemoteState {
  std::int32_t piece = 0;  // the piece that plays, 1..120; kept while a command is pending
  std::u16string title;
  std::int32_t lengthMs = 0;  // from the device; 0 when it cannot tell
  bool playable = false;      // a piece is open on the device
  bool paused = false;
  bool repeat = false;
  double volume = 0.0;  // the volume slider, 0..1
  bool canNext = false;
  bool canPrevious = false;
  bool canPlayPause = false;
  bool operator==(const RemoteState&) const = default;
};

// The commands a remote may give, each through the very control the user would use, so every
// rule of the window holds for it: a disabled control refuses the command as it refuses a click.
// Attaches itself to the window's events after they are wired and reports every change of the
// state, on the UI thread.
class RemoteControl {
 public:
  explicit RemoteControl(TForm1& form);
  RemoteControl(const RemoteControl&) = delete;
  RemoteControl& operator=(const RemoteControl&) = delete;

  void Next();
  void Previous();
  void PlayPause();
  void Play();
  void Pause();
  void SetRepeat(bool repeat);
  void SetVolume(double volume);
  // The popup menu's exit: the orderly end, settings written.
  void Quit();

  const RemoteState& State() const { return FState; }
  // The device's position in the playing piece, read now.
  std::int32_t PositionMs();

  // Raised after every change of State().
  void SetOnChange(std::function<void()> handler) { FOnChange = std::move(handler); }

 private:
  void AttachToEvents();
  void Refresh();
  RemoteState Observe();

  TForm1& FForm;
  RemoteState FState;
  std::function<void()> FOnChange;
  // The window outlives this object and keeps calling the handlers chained to its events.
  std::shared_ptr<RemoteControl*> FAlive = std::make_shared<RemoteControl*>(this);
};
