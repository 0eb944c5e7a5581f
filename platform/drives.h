#pragma once
// The drives seam: the system's drives with their kind and volume or network name.
#include <string>
#include <vector>

namespace tallimo {

enum class TDriveType { dtRemovable, dtFixed, dtNetwork, dtCDROM, dtRAM };

struct DriveInfo {
  char letter = 0;  // lower case, 'a' .. 'z'
  TDriveType type = TDriveType::dtFixed;
  // The volume name, or for network drives the network name; empty for removable drives,
  // whose media are not read.
  std::string volumeName;
};

class Drives {
 public:
  virtual ~Drives() = default;
  // The removable, fixed, network, CD-ROM and RAM drives in letter order; drives of any other
  // kind (unknown, no root folder) are left out.
  virtual std::vector<DriveInfo> ListDrives() = 0;
  // The lower-case letter of the current directory's drive, or 0 when it has none (a UNC path).
  virtual char CurrentDrive() = 0;
};

// GetLogicalDrives, GetDriveTypeW, GetVolumeInformationW and WNetGetConnectionW on Windows.
Drives& HostDrives();

}  // namespace tallimo
