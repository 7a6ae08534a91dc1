#include "platform/Shutdown.h"

#include <windows.h>

namespace platform {
namespace {

// NT needs the shutdown privilege in the process token first. Results are not examined: if
// the system declines, the player goes on.
class WinShutdown final : public Shutdown {
 public:
  void RequestShutdown() override {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
      HANDLE token = nullptr;
      OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token);
      TOKEN_PRIVILEGES privileges{};
      LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid);
      privileges.PrivilegeCount = 1;
      privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
      TOKEN_PRIVILEGES previous{};
      DWORD returned = 0;
      AdjustTokenPrivileges(token, FALSE, &privileges, sizeof(previous), &previous, &returned);
      // The check runs again at every notification while the system declines: no handle piles up.
      if (token != nullptr) {
        CloseHandle(token);
      }
    }
    ExitWindowsEx(EWX_SHUTDOWN, 0);
  }
};

}  // namespace

Shutdown& SystemShutdown() {
  static WinShutdown shutdown;
  return shutdown;
}

}  // namespace platform
