#include "app/Startup.h"

#include "desktop/MediaControls.h"
#include "multimedia/mci.h"
#include "multimedia/mixerapi.h"
#include "platform/Resources.h"
#include "platform/SingleInstance.h"
#include "player/RemoteControl.h"
#include "player/Unit1.h"
#include "toolkit/Application.h"

namespace {

// Names the instance lock of a user logon.
constexpr auto kInstanceLockName = u"5D152778-BC5B-4A96-BA22-6288355A042B";

}  // namespace

int RunKalvio() {
  platform::SingleInstance& instance = platform::SystemSingleInstance();
  const bool first = instance.Acquire(kInstanceLockName);
  if (first) {
    // The synthesiser takes about as long to load as the window to build, and the mixer's
    // devices are connections to the sound server: side by side, the first piece starts sooner.
    mm::PrepareSystemMciApi();
    mm::PrepareSystemMixerApi();
  }
  toolkit::TApplication application;
  if (!first) {
    application.ShowMessageBox(u"すでにKalvioは起動されています。", u"二重起動の確認",
                               toolkit::TMessageBoxIcon::None);
    // A box closed by the session's end hands nothing over.
    if (!application.Terminating()) {
      instance.HandOver(u"TForm1", u"Kalvio");
    }
    return 0;
  }
  application.SetTitle(u"Kalvio");
  application.SetMainFormOnTaskBar(true);
  // Without a soundfont the window still works, silent: say once what would make it sound.
  if (const std::u16string problem = mm::SystemMciApiProblem(); !problem.empty()) {
    application.ShowMessageBox(problem, application.Title(), toolkit::TMessageBoxIcon::Warning);
  }
  // What a later start asks of this one, and the desktop's media controls too.
  const auto bringForward = [&application] {
    application.Dispatch([&application] {
      application.Restore();
      application.BringToFront();
    });
  };
  instance.AcceptHandOver(bringForward);
  TForm1* form = nullptr;
  try {
    form = &application.CreateForm<TForm1>();
    // Decoded after the form, whose create handler starts the music: no window shows before Run.
    application.SetIcon(
        platform::SystemResources().Load(u"MAINICON", platform::ResourceType::Icon));
  } catch (...) {
    // Without its window there is nothing to run: say why and end.
    application.HandleException();
    return 1;
  }
  RemoteControl remote(*form);
  const auto mediaControls = desktop::ConnectMediaControls(remote, *form, bringForward);
  application.Run();
  return 0;
}
