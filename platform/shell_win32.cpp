// The shell seam on Windows.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "platform/handle_win32.h"
#include "platform/shell.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

class Win32Shell final : public Shell {
 public:
  void LaunchFile(const std::string& file) override {
    const std::wstring wideFile = Widen(file);
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = wideFile.c_str();
    info.nShow = SW_SHOWDEFAULT;
    // The result is not examined: the shell reports its own failures to the user.
    ShellExecuteExW(&info);
    // Nothing waits for or watches the started process, so its handle is released at once.
    const OwnedHandle process(info.hProcess);
  }

  void RunProgram(const std::string& program, const std::string& parameters,
                  void* ownerWindow) override {
    const std::wstring wideProgram = Widen(program), wideParameters = Widen(parameters);
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = static_cast<HWND>(ownerWindow);
    info.lpFile = wideProgram.c_str();
    info.lpParameters = wideParameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
    const OwnedHandle process(info.hProcess);
  }
};

}  // namespace

Shell& HostShell() {
  static Win32Shell shell;
  return shell;
}

}  // namespace tallimo
