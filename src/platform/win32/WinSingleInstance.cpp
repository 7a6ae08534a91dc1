#include "platform/SingleInstance.h"

#include <windows.h>

namespace platform {
namespace {

const wchar_t* Native(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

// A named mutex without a namespace prefix lives in the namespace of the user's logon session.
// Its handle is never closed: the system releases the mutex when the process ends, and marks it
// abandoned if the process dies.
class WinSingleInstance final : public SingleInstance {
 public:
  bool Acquire(const std::u16string& name) override {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, Native(name));
    return WaitForSingleObject(mutex, 0) != WAIT_TIMEOUT;
  }

  // Nothing to listen for: a later start finds the main window itself.
  void AcceptHandOver(std::function<void()> /*activate*/) override {}

  void HandOver(const std::u16string& windowClass, const std::u16string& windowTitle) override {
    HWND window = FindWindowW(Native(windowClass), Native(windowTitle));
    if (IsIconic(window)) {
      OpenIcon(window);
    }
    if (window != nullptr) {
      SetForegroundWindow(window);
    }
  }
};

}  // namespace

SingleInstance& SystemSingleInstance() {
  static WinSingleInstance instance;
  return instance;
}

}  // namespace platform
