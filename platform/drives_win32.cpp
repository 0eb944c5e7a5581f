// The drives seam on Windows.
#include <windows.h>

#include "platform/drives.h"
#include "platform/system_library_win32.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

bool KindOf(UINT driveType, TDriveType& kind) {
  switch (driveType) {
    case DRIVE_REMOVABLE:
      kind = TDriveType::dtRemovable;
      return true;
    case DRIVE_FIXED:
      kind = TDriveType::dtFixed;
      return true;
    case DRIVE_REMOTE:
      kind = TDriveType::dtNetwork;
      return true;
    case DRIVE_CDROM:
      kind = TDriveType::dtCDROM;
      return true;
    case DRIVE_RAMDISK:
      kind = TDriveType::dtRAM;
      return true;
    default:
      return false;
  }
}

std::string VolumeName(const std::string& root) {
  wchar_t name[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(Widen(root).c_str(), name, MAX_PATH + 1, nullptr, nullptr, nullptr,
                             nullptr, 0)) {
    return std::string();
  }
  return Narrow(name);
}

// mpr.dll's WNetGetConnectionW, loaded from the system folder on first use and kept.
using GetConnectionFn = DWORD(WINAPI*)(LPCWSTR, LPWSTR, LPDWORD);
GetConnectionFn GetConnection() {
  static const GetConnectionFn function =
      SystemFunction<GetConnectionFn>(LoadSystemLibrary(L"mpr.dll"), "WNetGetConnectionW");
  return function;
}

std::string NetworkName(char letter) {
  const GetConnectionFn getConnection = GetConnection();
  if (!getConnection) return std::string();
  const wchar_t local[3] = {static_cast<wchar_t>(letter), L':', 0};
  std::wstring remote(MAX_PATH, L'\0');
  DWORD size = static_cast<DWORD>(remote.size());
  DWORD result = getConnection(local, remote.data(), &size);
  if (result == ERROR_MORE_DATA) {
    remote.assign(size, L'\0');
    result = getConnection(local, remote.data(), &size);
  }
  if (result != NO_ERROR) return std::string();
  return Narrow(remote.c_str());
}

class Win32Drives final : public Drives {
 public:
  std::vector<DriveInfo> ListDrives() override {
    // A drive without a medium answers with an error, not with a system box.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    std::vector<DriveInfo> drives;
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
      if (!(mask & (1u << i))) continue;
      const std::string root{static_cast<char>('A' + i), ':', '\\'};  // plain ASCII
      DriveInfo drive;
      if (!KindOf(GetDriveTypeW(Widen(root).c_str()), drive.type)) continue;
      drive.letter = static_cast<char>('a' + i);
      if (drive.type == TDriveType::dtNetwork) {
        drive.volumeName = NetworkName(static_cast<char>('A' + i));
      } else if (drive.type != TDriveType::dtRemovable) {
        drive.volumeName = VolumeName(root);
      }
      drives.push_back(drive);
    }
    SetErrorMode(oldMode);
    return drives;
  }

  char CurrentDrive() override {
    std::wstring directory(MAX_PATH + 1, L'\0');
    DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
    if (length >= directory.size()) {
      directory.assign(length + 1, L'\0');
      length = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
    }
    if (length < 2 || length >= directory.size() || directory[1] != L':') return 0;
    wchar_t letter = directory[0];
    if (letter >= L'A' && letter <= L'Z') letter = static_cast<wchar_t>(letter - L'A' + L'a');
    return letter >= L'a' && letter <= L'z' ? static_cast<char>(letter) : 0;
  }
};

}  // namespace

Drives& HostDrives() {
  static Win32Drives drives;
  return drives;
}

}  // namespace tallimo
