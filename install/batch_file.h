#pragma once
// The temporary batch file of an install command: where it goes, what it is called, what it
// holds, and writing it without ever replacing an existing file.
#include <string>

#include "catalogue/catalogue.h"
#include "install/random_source.h"
#include "platform/environment.h"
#include "platform/files.h"

namespace tallimo {

// Names tried before giving up when every drawn name is taken.
inline constexpr int kBatchNameAttempts = 100;

// Each line's bytes followed by CR LF, the last line included; nothing else.
std::string BatchFileBytes(const StringList& lines);

// "TEMP" when it is not empty and names an existing directory, followed by "\" (also when it
// ends in one already); otherwise "C:\".
std::string BatchDirectory(const std::string& temp, FileSystem& files);

// "TLM-", four random lower-case letters, ".bat".
std::string BatchFileName(RandomSource& random);

// Writes the lines to a new batch file and gives its path. A taken name is never replaced:
// four new letters are drawn, up to kBatchNameAttempts names in all. Throws TallimoError
// "Cannot create file <path>" when no file could be created.
std::string WriteBatchFile(const StringList& lines, Environment& environment, FileSystem& files,
                           RandomSource& random);

}  // namespace tallimo
