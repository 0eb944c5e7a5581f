// A stand-in installer for the process tests: "exit N" ends with code N; "spawn MS FILE" starts
// a copy of itself that waits MS milliseconds and then writes FILE, and ends at once without
// waiting for it, as a setup program that hands over to its real installer does.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "exit") == 0)
    return static_cast<int>(std::strtoul(argv[2], nullptr, 10));
  if (argc >= 4 && std::strcmp(argv[1], "spawn") == 0) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string line = std::string("\"") + self + "\" wait " + argv[2] + " \"" + argv[3] + "\"";
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
      return 90;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return 0;
  }
  if (argc >= 4 && std::strcmp(argv[1], "wait") == 0) {
    Sleep(std::strtoul(argv[2], nullptr, 10));
    HANDLE file = CreateFileA(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 91;
    DWORD written = 0;
    WriteFile(file, "done", 4, &written, nullptr);
    CloseHandle(file);
    return 0;
  }
  return 99;
}
