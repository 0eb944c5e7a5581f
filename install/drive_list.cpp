#include "install/drive_list.h"

namespace tallimo {

std::string DriveItemText(const DriveInfo& drive) {
  std::string text{drive.letter, ':'};
  if (drive.type != TDriveType::dtRemovable && !drive.volumeName.empty()) {
    text += ' ';
    text += drive.volumeName;
  }
  return text;
}

int DriveIndexOf(const std::vector<DriveInfo>& drives, char letter) {
  if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
  if (letter == 0) return -1;
  for (size_t i = 0; i < drives.size(); ++i) {
    if (drives[i].letter == letter) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tallimo
