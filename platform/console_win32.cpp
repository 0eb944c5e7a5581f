// The parent's console on Windows. A window program gets no console of its own: it writes to
// the standard output handle it inherited, or attaches to the console of the process that
// started it.
#include <windows.h>

#include "platform/console.h"
#include "platform/handle_win32.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

class Win32ConsoleOutput final : public ConsoleOutput {
 public:
  Win32ConsoleOutput() {
    HANDLE inherited = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (inherited && inherited != INVALID_HANDLE_VALUE) {
      handle_ = inherited;
      console_ = GetConsoleMode(inherited, &mode) != 0;
      return;
    }
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    owned_.Reset(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr));
    handle_ = owned_.Get();
    console_ = handle_ != nullptr;
  }

  void WriteLine(const std::string& line) override {
    if (!handle_) return;
    const std::string text = ConsoleLine(line);
    if (console_) {
      // Wide writes: the console shows every character whatever its code page.
      const std::wstring wide = Widen(text);
      DWORD written = 0;
      WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
      // A file or a pipe: the log's own bytes, UTF-8.
      DWORD written = 0;
      WriteFile(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
  }

 private:
  HANDLE handle_ = nullptr;  // the inherited one is not ours to close
  OwnedHandle owned_;        // the console's, opened here
  bool console_ = false;
};

}  // namespace

std::unique_ptr<ConsoleOutput> ParentConsole() {
  return std::make_unique<Win32ConsoleOutput>();
}

}  // namespace tallimo
