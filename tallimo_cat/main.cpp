// tallimo-cat: see tallimo_cat/cat_tool.h.
#include <iostream>

#include "tallimo_cat/cat_tool.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <sstream>

#include "platform/wide.h"

namespace {

// UTF-8 output: on a console as wide characters (the console shows them whatever its code
// page), elsewhere (a file, a pipe) as the UTF-8 bytes.
bool WriteOutput(DWORD which, const std::string& text) {
  if (text.empty()) return true;
  HANDLE handle = GetStdHandle(which);  // not ours to close
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = tallimo::Widen(text);
    for (size_t done = 0; done < wide.size();) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(wide.size() - done, 8192));
      DWORD written = 0;
      if (!WriteConsoleW(handle, wide.data() + done, chunk, &written, nullptr) || written == 0)
        return false;
      done += written;
    }
    return true;
  }
  for (size_t done = 0; done < text.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(handle, text.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

}  // namespace

// The arguments as the system gives them, in UTF-16, so that paths with any characters work.
int main() {
  std::vector<std::string> args;
  int count = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) args.push_back(tallimo::Narrow(argv[i]));
    LocalFree(argv);
  }
  std::ostringstream out, err;
  const int code = tallimo::RunCatTool(args, out, err, tallimo::HostFileSystem(),
                                       tallimo::HostLocale(), tallimo::HostClock(),
                                       tallimo::HostDiscFiles(), tallimo::HostInstallerDatabase());
  const bool written = WriteOutput(STD_OUTPUT_HANDLE, out.str());
  WriteOutput(STD_ERROR_HANDLE, err.str());
  if (!written) {
    WriteOutput(STD_ERROR_HANDLE, "tallimo-cat: cannot write the output\n");
    return 1;
  }
  return code;
}

#else

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return tallimo::RunCatTool(args, std::cout, std::cerr, tallimo::HostFileSystem(),
                             tallimo::HostLocale(), tallimo::HostClock(), tallimo::HostDiscFiles(),
                             tallimo::HostInstallerDatabase());
}

#endif
