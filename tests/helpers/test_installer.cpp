// A stand-in installer for the process tests: "exit N" ends with code N; "spawn MS FILE" starts
// a copy of itself that waits MS milliseconds and then writes FILE, and ends at once without
// waiting for it, as a setup program that hands over to its real installer does. Its arguments
// are read wide, so FILE may hold any character. "locked FILE" tells whether FILE is held
// against writing, deleting and renaming.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <vector>

int main() {
  int argc = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!wide) return 98;
  const std::vector<std::wstring> argv(wide, wide + argc);
  LocalFree(wide);
  if (argc >= 3 && argv[1] == L"exit")
    return static_cast<int>(std::wcstoul(argv[2].c_str(), nullptr, 10));
  if (argc >= 4 && argv[1] == L"spawn") {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line =
        std::wstring(L"\"") + self + L"\" wait " + argv[2] + L" \"" + argv[3] + L"\"";
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
      return 90;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return 0;
  }
  if (argc >= 4 && argv[1] == L"wait") {
    Sleep(std::wcstoul(argv[2].c_str(), nullptr, 10));
    HANDLE file =
        CreateFileW(argv[3].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 91;
    DWORD written = 0;
    WriteFile(file, "done", 4, &written, nullptr);
    CloseHandle(file);
    return 0;
  }
  // "locked FILE": 0 when FILE can be neither opened for writing, nor deleted, nor renamed;
  // else 5, 6 or 7 for the first of them that worked.
  if (argc >= 3 && argv[1] == L"locked") {
    HANDLE file = CreateFileW(argv[2].c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return 5;
    }
    if (DeleteFileW(argv[2].c_str())) return 6;
    if (MoveFileW(argv[2].c_str(), (argv[2] + L".moved").c_str())) return 7;
    return 0;
  }
  return 99;
}
