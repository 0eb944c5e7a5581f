// The parent's console on Windows. A window program gets no console of its own: it writes to
// the standard output handle it inherited, or attaches to the console of the process that
// started it.
#include <windows.h>

#include "platform/console.h"
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
    handle_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
      handle_ = nullptr;
      return;
    }
    owned_ = true;
    console_ = true;
  }
  ~Win32ConsoleOutput() override {
    if (owned_) CloseHandle(handle_);
  }

  void WriteLine(const std::string& line) override {
    if (!handle_) return;
    if (console_) {
      // Wide writes: the console shows every character whatever its code page.
      const std::wstring text = Widen(line + "\r\n");
      DWORD written = 0;
      WriteConsoleW(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else {
      // A file or a pipe: the log's own bytes, UTF-8.
      const std::string text = line + "\r\n";
      DWORD written = 0;
      WriteFile(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
  }

 private:
  HANDLE handle_ = nullptr;
  bool owned_ = false;
  bool console_ = false;
};

}  // namespace

std::unique_ptr<ConsoleOutput> ParentConsole() {
  return std::make_unique<Win32ConsoleOutput>();
}

}  // namespace tallimo
