#pragma once
// The temporary batch file of an install command: where it goes, what it is called, what it
// holds, and writing it without ever replacing an existing file.
#include <memory>
#include <string>

#include "catalogue/catalogue.h"
#include "install/random_source.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/text_codec.h"

namespace tallimo {

// Names tried before giving up when every drawn name is taken.
inline constexpr int kBatchNameAttempts = 100;

// The command prompt reads a batch file in the OEM code page: each line in `oem`, followed by
// CR LF, the last line included; nothing else. False when a line holds a character that the
// code page lacks (never written as "?" or a look-alike): `badLine` is then its number from 1.
bool BatchFileBytes(const StringList& lines, const CodePage& oem, std::string& bytes,
                    size_t* badLine = nullptr);

// "<Name> cannot be installed through a batch file: line <n> holds characters that the command
// prompt cannot read."
std::string BatchUnreadableText(const std::string& name, size_t line);
// That message when `entry` runs as a batch file and one of its lines cannot go into one
// (the drive token's letter changes nothing there); empty otherwise.
std::string BatchFileRefusal(const TTallimoProg& entry, const CodePage& oem);

// "TEMP" when it is not empty and names an existing directory, followed by "\" (also when it
// ends in one already); otherwise "C:\".
std::string BatchDirectory(const std::string& temp, FileSystem& files);

// "TLM-", four random lower-case letters, ".bat".
std::string BatchFileName(RandomSource& random);

// Writes the lines to a new batch file and gives its path. A taken name is never replaced:
// four new letters are drawn, up to kBatchNameAttempts names in all. Throws TallimoError
// "Cannot create file <path>" when no file could be created, and "line <n> holds characters
// that the command prompt cannot read" (nothing written) when a line does not fit `oem`.
std::string WriteBatchFile(const StringList& lines, const CodePage& oem, Environment& environment,
                           FileSystem& files, RandomSource& random);

// A batch file that the queue runs: written as WriteBatchFile writes it, then held (see
// FileSystem::HoldUnchanged) until the command prompt running it has ended, so that nothing
// can change or replace it meanwhile. A file that cannot be held is removed, and the write
// fails as "Cannot create file <path>".
struct HeldBatchFile {
  std::string path;
  std::unique_ptr<HeldFile> held;
};
HeldBatchFile WriteHeldBatchFile(const StringList& lines, const CodePage& oem,
                                 Environment& environment, FileSystem& files, RandomSource& random);

}  // namespace tallimo
