#include <windows.h>

#include <commctrl.h>

#include <optional>

#include "desktop/MediaControls.h"
#include "toolkit/win32/WinNative.h"

namespace desktop {
namespace {

enum class MediaCommand { PlayPause, Play, Pause, Next, Previous };

constexpr UINT_PTR kSubclassId = 18;

// The keyboard's media keys, as the system hands them on: WM_APPCOMMAND, which reaches the focused
// window and its parents while the player is in front, and the shell hook's HSHELL_APPCOMMAND for
// the keys that the program in front left unhandled. Keys another program handles stay its own.
class MediaKeys final : public MediaControls {
 public:
  MediaKeys(RemoteControl& remote, HWND window)
      : FRemote(remote), FWindow(window), FShellHookMessage(RegisterWindowMessageW(L"SHELLHOOK")) {
    SetWindowSubclass(FWindow, &MediaKeys::WindowProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    FShellHook = RegisterShellHookWindow(FWindow) != FALSE;
  }

  ~MediaKeys() override {
    if (FShellHook) {
      DeregisterShellHookWindow(FWindow);
    }
    RemoveWindowSubclass(FWindow, &MediaKeys::WindowProc, kSubclassId);
  }

  MediaKeys(const MediaKeys&) = delete;
  MediaKeys& operator=(const MediaKeys&) = delete;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR /*id*/, DWORD_PTR data) {
    auto& keys = *reinterpret_cast<MediaKeys*>(data);
    const bool appCommand =
        message == WM_APPCOMMAND ||
        (message == keys.FShellHookMessage && message != 0 && wParam == HSHELL_APPCOMMAND);
    if (appCommand) {
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

  // While a modal box is up the window is disabled: the command is dropped, as a click on it is.
  void Run(MediaCommand command) {
    if (!IsWindowEnabled(FWindow)) {
      return;
    }
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
  const UINT FShellHookMessage;  // 0 when the system has none
  bool FShellHook = false;
};

}  // namespace

std::unique_ptr<MediaControls> ConnectMediaControls(RemoteControl& remote, toolkit::TForm& window,
                                                    std::function<void()> /*raise*/) {
  return std::make_unique<MediaKeys>(remote, toolkit::win32::WindowOf(window));
}

}  // namespace desktop
