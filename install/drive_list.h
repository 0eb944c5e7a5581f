#pragma once
// The items of the Drive dialog's drive list.
#include <string>
#include <vector>

#include "platform/drives.h"

namespace tallimo {

// "c:" followed by a blank and the volume name (the network name for network drives); a
// removable drive, or a drive without a name, shows the letter and colon alone.
std::string DriveItemText(const DriveInfo& drive);

// The index of the drive with that letter (either case), or -1; used to select the current
// directory's drive when the dialog is first created.
int DriveIndexOf(const std::vector<DriveInfo>& drives, char letter);

}  // namespace tallimo
