#pragma once
// tallimo-cat check's findings on the disc itself: names that ISO 9660 with Joliet cannot
// hold (every Windows reads it), and the disc's autorun.inf. tallimo-cat autorun writes one.
#include <string>
#include <vector>

#include "platform/disc_files.h"
#include "platform/files.h"
#include "tallimo_cat/catalogue_check.h"

namespace tallimo {

inline constexpr size_t kJolietNameLength = 64;
inline constexpr int kIsoFolderDepth = 8;
inline constexpr size_t kDiscPathWarnLength = 240;
inline constexpr size_t kAutorunLabelLength = 32;

struct DiscFinding {
  std::string path;  // from the disc's root: "\DIR\SETUP.EXE" ("\" for the root)
  TSeverity severity;
  std::string text;
};

// The findings in path order: names and paths of the disc, then its autorun.inf.
std::vector<DiscFinding> CheckDisc(const std::string& root, FileSystem& files, DiscFiles& disc);

// The autorun.inf for a disc whose catalogue caption is `caption`.
std::string AutorunText(const std::string& caption);

}  // namespace tallimo
