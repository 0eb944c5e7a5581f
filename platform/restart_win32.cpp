// The restart seam on Windows.
#include <windows.h>

#include "platform/handle_win32.h"
#include "platform/process.h"
#include "platform/restart.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

class Win32Restarter final : public Restarter {
 public:
  bool RestartWindows(std::string& message) override {
    HANDLE opened = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened)) {
      const OwnedHandle token(opened);
      TOKEN_PRIVILEGES privileges;
      privileges.PrivilegeCount = 1;
      privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
      if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    }
    if (ExitWindowsEx(EWX_REBOOT, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_INSTALLATION |
                                      SHTDN_REASON_FLAG_PLANNED))
      return true;
    message = SystemErrorMessage(GetLastError());
    return false;
  }
};

}  // namespace

Restarter& HostRestarter() {
  static Win32Restarter restarter;
  return restarter;
}

}  // namespace tallimo
