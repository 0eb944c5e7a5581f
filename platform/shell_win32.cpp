// The shell seam on Windows.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "platform/shell.h"

namespace tallimo {
namespace {

class Win32Shell final : public Shell {
 public:
  void LaunchFile(const std::string& file) override {
    SHELLEXECUTEINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWDEFAULT;
    // The result is not examined: the shell reports its own failures to the user.
    ShellExecuteExA(&info);
    // Nothing waits for or watches the started process, so its handle is released at once.
    if (info.hProcess) CloseHandle(info.hProcess);
  }

  void RunProgram(const std::string& program, const std::string& parameters,
                  void* ownerWindow) override {
    SHELLEXECUTEINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = static_cast<HWND>(ownerWindow);
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&info);
    if (info.hProcess) CloseHandle(info.hProcess);
  }
};

}  // namespace

Shell& HostShell() {
  static Win32Shell shell;
  return shell;
}

}  // namespace tallimo
