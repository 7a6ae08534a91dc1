// Change notification: the devices post to a window; its messages become the component's events.
#include "mixer/TMixer.h"
#include "mixer/TMixerCtrl.h"
#include "mixer/TMixerDev.h"
#include "mixer/TMixerItem.h"

toolkit::WindowHandle TMixer::GetCallbackHandle() {
  if (FCallbackHandle != 0) {
    FInternalCallbackWindow.reset();
    return FCallbackHandle;
  }
  if (!FInternalCallbackWindow) {
    FInternalCallbackWindow = std::make_unique<toolkit::MessageWindow>(
        [this](std::uint32_t Msg, std::uintptr_t WParam, std::intptr_t LParam) {
          WndProc(Msg, WParam, LParam);
        });
  }
  return FInternalCallbackWindow->Handle();
}

void TMixer::WndProc(std::uint32_t Msg, std::uintptr_t WParam, std::intptr_t LParam) {
  const auto handle = reinterpret_cast<mm::HMIXER>(WParam);
  const auto id = static_cast<mm::DWORD>(LParam);
  if (Msg == mm::MM_MIXM_CONTROL_CHANGE) {
    DoControlChange(handle, id);
  } else if (Msg == mm::MM_MIXM_LINE_CHANGE) {
    DoLineChange(handle, id);
  }
}

void TMixer::DoControlChange(mm::HMIXER Handle, mm::DWORD ControlID) {
  if (!FOnControlChange) {
    return;
  }
  TMixerDev* dev = DevOfHandle(Handle);
  TMixerCtrl* ctrl = dev == nullptr ? nullptr : dev->CtrlOfControlID(ControlID);
  TMixerItem* item = ctrl == nullptr ? nullptr : ctrl->Parent();
  if (item == nullptr) {
    return;
  }
  // A copy: the handler may replace itself.
  const TMixerControlChangeEvent handler = FOnControlChange;
  handler(this, dev, item, ctrl);
}

void TMixer::DoLineChange(mm::HMIXER Handle, mm::DWORD LineID) {
  if (!FOnLineChange) {
    return;
  }
  TMixerDev* dev = DevOfHandle(Handle);
  TMixerItem* item = dev == nullptr ? nullptr : dev->ItemOfLineID(LineID);
  if (item == nullptr) {
    return;
  }
  const TMixerLineChangeEvent handler = FOnLineChange;
  handler(this, dev, item);
}
