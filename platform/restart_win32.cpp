// The restart seam on Windows.
#include <windows.h>

#include "platform/restart.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

class Win32Restarter final : public Restarter {
 public:
  bool RestartWindows(std::string& message) override {
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
      TOKEN_PRIVILEGES privileges;
      privileges.PrivilegeCount = 1;
      privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
      if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
      CloseHandle(token);
    }
    if (ExitWindowsEx(EWX_REBOOT, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_INSTALLATION |
                                      SHTDN_REASON_FLAG_PLANNED))
      return true;
    DWORD error = GetLastError();
    wchar_t* text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    message = text ? Narrow(text) : "error " + std::to_string(error);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n'))
      message.pop_back();
    return false;
  }
};

}  // namespace

Restarter& HostRestarter() {
  static Win32Restarter restarter;
  return restarter;
}

}  // namespace tallimo
