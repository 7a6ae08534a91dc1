#include <windows.h>

#include <commctrl.h>

#include <array>
#include <optional>
#include <vector>

#include "desktop/MediaControls.h"
#include "toolkit/win32/WinNative.h"

namespace desktop {
namespace {

enum class MediaCommand { PlayPause, Play, Pause, Next, Previous };

struct MediaKey {
  int hotKeyId;
  UINT virtualKey;
  MediaCommand command;
};

// Stop has no stopped state to go to in a music box: it pauses.
constexpr std::array kMediaKeys{
    MediaKey{1, VK_MEDIA_PLAY_PAUSE, MediaCommand::PlayPause},
    MediaKey{2, VK_MEDIA_NEXT_TRACK, MediaCommand::Next},
    MediaKey{3, VK_MEDIA_PREV_TRACK, MediaCommand::Previous},
    MediaKey{4, VK_MEDIA_STOP, MediaCommand::Pause},
};

constexpr UINT_PTR kSubclassId = 18;

// The keyboard's media keys: global hot keys where the system lets us have them, so they work
// while another window has the focus, and WM_APPCOMMAND, which the system sends to the focused
// window and its parents, for the keys another program holds and for remote controls.
class MediaKeys final : public MediaControls {
 public:
  MediaKeys(RemoteControl& remote, HWND window) : FRemote(remote), FWindow(window) {
    SetWindowSubclass(FWindow, &MediaKeys::WindowProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    for (const MediaKey& key : kMediaKeys) {
      if (RegisterHotKey(FWindow, key.hotKeyId, MOD_NOREPEAT, key.virtualKey)) {
        FHotKeys.push_back(key.hotKeyId);
      }
    }
  }

  ~MediaKeys() override {
    for (const int id : FHotKeys) {
      UnregisterHotKey(FWindow, id);
    }
    RemoveWindowSubclass(FWindow, &MediaKeys::WindowProc, kSubclassId);
  }

  MediaKeys(const MediaKeys&) = delete;
  MediaKeys& operator=(const MediaKeys&) = delete;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR /*id*/, DWORD_PTR data) {
    auto& keys = *reinterpret_cast<MediaKeys*>(data);
    if (message == WM_HOTKEY) {
      for (const MediaKey& key : kMediaKeys) {
        if (static_cast<int>(wParam) == key.hotKeyId) {
          keys.Run(key.command);
          return 0;
        }
      }
    } else if (message == WM_APPCOMMAND) {
      if (const auto command = CommandOf(GET_APPCOMMAND_LPARAM(lParam))) {
        keys.Run(*command);
        return TRUE;
      }
    }
    return DefSubclassProc(window, message, wParam, lParam);
  }

  static std::optional<MediaCommand> CommandOf(int appCommand) {
    switch (appCommand) {
      case APPCOMMAND_MEDIA_PLAY_PAUSE:
        return MediaCommand::PlayPause;
      case APPCOMMAND_MEDIA_PLAY:
        return MediaCommand::Play;
      case APPCOMMAND_MEDIA_PAUSE:
      case APPCOMMAND_MEDIA_STOP:
        return MediaCommand::Pause;
      case APPCOMMAND_MEDIA_NEXTTRACK:
        return MediaCommand::Next;
      case APPCOMMAND_MEDIA_PREVIOUSTRACK:
        return MediaCommand::Previous;
      default:
        return std::nullopt;
    }
  }

  void Run(MediaCommand command) {
    switch (command) {
      case MediaCommand::PlayPause:
        FRemote.PlayPause();
        break;
      case MediaCommand::Play:
        FRemote.Play();
        break;
      case MediaCommand::Pause:
        FRemote.Pause();
        break;
      case MediaCommand::Next:
        FRemote.Next();
        break;
      case MediaCommand::Previous:
        FRemote.Previous();
        break;
    }
  }

  RemoteControl& FRemote;
  HWND FWindow;
  std::vector<int> FHotKeys;  // those registered
};

}  // namespace

std::unique_ptr<MediaControls> ConnectMediaControls(RemoteControl& remote, toolkit::TForm& window,
                                                    std::function<void()> /*raise*/) {
  return std::make_unique<MediaKeys>(remote, toolkit::win32::WindowOf(window));
}

}  // namespace desktop
