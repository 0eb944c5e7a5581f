#include "win32_test_files.h"

#include <atomic>

#include "platform/handle_win32.h"
#include "platform/wide.h"

namespace tallimo::wintest {

std::string MakeTempFolder(const std::string& tag) {
  static std::atomic<unsigned> counter{0};
  wchar_t temp[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, temp);
  std::string base = n ? Narrow(temp, static_cast<int>(n)) : std::string("C:\\");
  if (base.back() != '\\') base += '\\';
  for (;;) {
    std::string folder = base + "tallimo-" + tag + "-" + std::to_string(GetCurrentProcessId()) +
                         "-" + std::to_string(GetTickCount()) + "-" + std::to_string(++counter);
    if (CreateDirectoryW(Widen(folder).c_str(), nullptr)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
  }
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Widen(folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = Narrow(found.cFileName);
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileW(Widen(path).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(Widen(folder).c_str());
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  OwnedHandle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  bool ok =
      WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  return file.Close() && ok;
}

std::string ReadBytes(const std::string& path) {
  const OwnedHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return "<unreadable>";
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  return bytes;
}

std::map<std::string, std::string> FolderContents(const std::string& folder) {
  std::map<std::string, std::string> contents;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Widen(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return contents;
  do {
    const std::string name = Narrow(found.cFileName);
    if (name == "." || name == "..") continue;
    contents[name] = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                         ? std::string("<folder>")
                         : ReadBytes(folder + "\\" + name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return contents;
}

std::string UnixPath(const std::string& windowsPath) {
  // Wine's own export; absent on Windows.
  using Convert = char*(CDECL*)(LPCWSTR);
  auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return std::string();
  char* unix = convert(Widen(windowsPath).c_str());
  if (!unix) return std::string();
  std::string path = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return path;
}

bool RunUnixCommand(const std::string& shellCommand) {
  // Wine starts a Linux program given by its host path, but reports no exit code for it:
  // the command leaves a marker file saying how it went, and we wait for that.
  const std::string folder = MakeTempFolder("unix");
  const std::string unixFolder = UnixPath(folder);
  if (folder.empty() || unixFolder.empty()) {
    if (!folder.empty()) RemoveTree(folder);
    return false;
  }
  std::string command = "/bin/sh -c \"(" + shellCommand + ") >/dev/null 2>&1 && touch '" +
                        unixFolder + "/ok' || touch '" + unixFolder + "/failed'\"";
  std::wstring wideCommand = Widen(command);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  bool started = CreateProcessW(nullptr, wideCommand.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                nullptr, &startup, &process);
  bool ok = false;
  if (started) {
    const OwnedHandle thread(process.hThread), child(process.hProcess);  // the marker tells
    const std::string okFile = folder + "\\ok", failedFile = folder + "\\failed";
    for (int wait = 0; wait < 400; ++wait) {
      if (GetFileAttributesW(Widen(okFile).c_str()) != INVALID_FILE_ATTRIBUTES) {
        ok = true;
        break;
      }
      if (GetFileAttributesW(Widen(failedFile).c_str()) != INVALID_FILE_ATTRIBUTES) break;
      Sleep(50);
    }
  }
  RemoveTree(folder);
  return ok;
}

std::string SourcePath(const std::string& relative) {
  std::string root = TALLIMO_SOURCE_DIR;
  // The source folder is a host path; under Wine the host's root is drive Z:.
  if (!root.empty() && root.front() == '/') root = "Z:" + root;
  return root + "/" + relative;
}

}  // namespace tallimo::wintest
