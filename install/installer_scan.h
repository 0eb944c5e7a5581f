#pragma once
// Finding the installers in a disc's folder, or among files dropped on the menu's list, and
// identifying them: what tallimo-cat scan and the menu's drop have in common.
#include <set>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "install/installer_id.h"
#include "platform/disc_files.h"
#include "platform/files.h"
#include "platform/installer_database.h"

namespace tallimo {

inline constexpr int kScanDepth = 6;  // folders below the disc's root

struct ScannedFile {
  // What the install line names: the path from the disc's root ("\DIR\SETUP.EXE"), or the
  // full path of a dropped file outside the disc's folder.
  std::string discPath;
  std::string path;  // as the file system takes it
  Identification id;
};

// The .msi, .msu and .exe files of the disc in path order, identified. Tallimo's own programs
// are not listed; a program that shares a folder with a recognised setup is left out as its
// helper. Links and junctions are not followed.
std::vector<ScannedFile> ScanDisc(const std::string& disc, DiscFiles& discFiles,
                                  InstallerDatabase& database);

// Files and folders dropped on the menu, identified as the scan does (a folder is walked as a
// disc is), for a disc whose folder is `discFolder`. Every dropped file is listed, those that
// are no installer left out with the reason; so is a file that an entry of `list` installs
// already.
std::vector<ScannedFile> IdentifyDropped(const std::vector<std::string>& paths,
                                         const std::string& discFolder, const TProgramList& list,
                                         FileSystem& files, DiscFiles& discFiles,
                                         InstallerDatabase& database);

// The paths that install lines of `list` name, as FoldedDiscPath gives them.
std::set<std::string> NamedDiscPaths(const TProgramList& list);

}  // namespace tallimo
