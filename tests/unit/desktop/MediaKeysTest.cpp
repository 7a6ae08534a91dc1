// The keyboard's media keys as the system hands them to the player: WM_APPCOMMAND at the focused
// control, and the shell hook's HSHELL_APPCOMMAND for keys the program in front left unhandled.
#include <functional>
#include <string_view>

#include "PlayerFixture.h"
#include "desktop/MediaControls.h"
#include "player/RemoteControl.h"
#include "toolkit/Application.h"

// After the player's headers: the multimedia records define TRUE and FALSE of their own.
#include <windows.h>

#include "toolkit/win32/WinNative.h"

namespace {

LPARAM KeyCommand(int command) {
  return MAKELPARAM(0, static_cast<WORD>(command | FAPPCOMMAND_KEY));
}

struct Route {
  const char* name;
  std::function<void(HWND window, int command)> send;
};

const Route kRoutes[] = {
    {"WM_APPCOMMAND at the focused control",
     [](HWND window, int command) {
       HWND focus = GetFocus();
       HWND target = focus != nullptr ? focus : window;
       SendMessageW(target, WM_APPCOMMAND, reinterpret_cast<WPARAM>(target), KeyCommand(command));
     }},
    {"the shell hook",
     [](HWND window, int command) {
       SendMessageW(window, RegisterWindowMessageW(L"SHELLHOOK"), HSHELL_APPCOMMAND,
                    KeyCommand(command));
     }},
};

class MediaKeysTest : public PlayerTest {
 protected:
  void Connect() {
    Remote = std::make_unique<RemoteControl>(*Form);
    Keys = desktop::ConnectMediaControls(*Remote, *Form, {});
    Window = toolkit::win32::WindowOf(*Form);
  }
  void Disconnect() {
    Keys.reset();
    Remote.reset();
  }
  void TearDown() override { Disconnect(); }

  std::unique_ptr<RemoteControl> Remote;
  std::unique_ptr<desktop::MediaControls> Keys;
  HWND Window = nullptr;
};

TEST_F(MediaKeysTest, NextPreviousAndPlayPauseArriveByEitherRoute) {
  for (const Route& route : kRoutes) {
    SCOPED_TRACE(route.name);
    Create();
    Connect();
    route.send(Window, APPCOMMAND_MEDIA_NEXTTRACK);
    Notify();
    EXPECT_EQ(Mci.LastOpenedPiece(), 2);
    route.send(Window, APPCOMMAND_MEDIA_PREVIOUSTRACK);
    Notify();
    EXPECT_EQ(Mci.LastOpenedPiece(), 1);
    Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PLAY);
    route.send(Window, APPCOMMAND_MEDIA_PLAY_PAUSE);
    EXPECT_TRUE(Form->PauseStat);
    Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PAUSE);
    route.send(Window, APPCOMMAND_MEDIA_PLAY_PAUSE);
    EXPECT_FALSE(Form->PauseStat);
    Disconnect();
    Destroy();
  }
}

// The keys stay free for any program that wants them as hot keys.
TEST_F(MediaKeysTest, TakesNoKeyFromOtherPrograms) {
  Create();
  Connect();
  for (const UINT key :
       {VK_MEDIA_PLAY_PAUSE, VK_MEDIA_NEXT_TRACK, VK_MEDIA_PREV_TRACK, VK_MEDIA_STOP}) {
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x100, MOD_NOREPEAT, key)) << "key " << key;
    UnregisterHotKey(nullptr, 0x100);
  }
}

// What the keys do while a box is up: recorded from inside the box's own message loop.
struct DuringTheBox {
  HWND window = nullptr;
  HWND box = nullptr;
  bool windowDisabled = false;
};
DuringTheBox during;

BOOL CALLBACK FindBox(HWND window, LPARAM) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (IsWindowVisible(window) && std::wstring_view(className) == L"#32770") {
    during.box = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK PressKeysAtTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), FindBox, 0);
  if (during.box == nullptr) {
    return;
  }
  KillTimer(nullptr, timer);
  during.windowDisabled = !IsWindowEnabled(during.window);
  for (const Route& route : kRoutes) {
    route.send(during.window, APPCOMMAND_MEDIA_NEXTTRACK);
    route.send(during.window, APPCOMMAND_MEDIA_PLAY_PAUSE);
  }
  PostMessageW(during.box, WM_COMMAND, IDOK, 0);
}

// As a click on the disabled window does nothing, no key runs a command behind a modal box.
TEST_F(MediaKeysTest, WhileAModalBoxIsUpTheKeysAreDropped) {
  Create();
  Connect();
  Dialogs.reset();  // this test closes its box itself
  const auto opened = Mci.CountOf(mm::MCI_OPEN);
  Mci.SetReturn(mm::MCI_STATUS, mm::MCI_STATUS_MODE, mm::MCI_MODE_PLAY);
  during = {Window};
  SetTimer(nullptr, 0, 10, PressKeysAtTheBox);
  toolkit::Application().ShowMessageBox(u"終了しますか?", u"Kalvio",
                                        toolkit::TMessageBoxIcon::Warning);
  ProcessMessages();
  ASSERT_NE(during.box, nullptr);
  EXPECT_TRUE(during.windowDisabled);
  EXPECT_EQ(Mci.CountOf(mm::MCI_OPEN), opened);
  EXPECT_EQ(Mci.CountOf(mm::MCI_PAUSE), 0u);
  EXPECT_FALSE(Form->PauseStat);
}

}  // namespace
