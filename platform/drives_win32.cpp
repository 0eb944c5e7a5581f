// The drives seam on Windows.
#include <windows.h>
// after windows.h
#include <winnetwk.h>

#include "platform/drives.h"

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
  char name[MAX_PATH + 1] = {};
  if (!GetVolumeInformationA(root.c_str(), name, sizeof name, nullptr, nullptr, nullptr, nullptr,
                             0)) {
    return std::string();
  }
  return name;
}

std::string NetworkName(char letter) {
  const char local[3] = {letter, ':', 0};
  std::string remote(MAX_PATH, '\0');
  DWORD size = static_cast<DWORD>(remote.size());
  DWORD result = WNetGetConnectionA(local, remote.data(), &size);
  if (result == ERROR_MORE_DATA) {
    remote.assign(size, '\0');
    result = WNetGetConnectionA(local, remote.data(), &size);
  }
  if (result != NO_ERROR) return std::string();
  remote.resize(strlen(remote.c_str()));
  return remote;
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
      const std::string root{static_cast<char>('A' + i), ':', '\\'};
      DriveInfo drive;
      if (!KindOf(GetDriveTypeA(root.c_str()), drive.type)) continue;
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
    std::string directory(MAX_PATH + 1, '\0');
    DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data());
    if (length >= directory.size()) {
      directory.assign(length + 1, '\0');
      length = GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data());
    }
    if (length < 2 || length >= directory.size() || directory[1] != ':') return 0;
    char letter = directory[0];
    if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
    return letter >= 'a' && letter <= 'z' ? letter : 0;
  }
};

}  // namespace

Drives& HostDrives() {
  static Win32Drives drives;
  return drives;
}

}  // namespace tallimo
