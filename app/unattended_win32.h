#pragma once
// An unattended run from the command line: the named programs installed by the install queue,
// without the main window, the Drive dialog or the restart question.
#include <string>

#include "app/command_line.h"
#include "install/random_source.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/hash.h"
#include "platform/locale.h"
#include "platform/log_file.h"
#include "platform/process.h"
#include "platform/prompter.h"
#include "platform/registry.h"
#include "platform/restart.h"
#include "platform/shell.h"
#include "platform/system_info.h"

namespace tallimo {

struct UnattendedSeams {
  FileSystem& files;
  FileSystem& probeFiles;  // detection's probes
  Registry& registry;
  Locale& locale;
  Clock& clock;
  Environment& environment;
  RandomSource& random;
  ProcessRunner& processes;
  LogFiles& logFiles;
  Prompter& prompter;  // the usage and its errors, without /quiet
  Shell& shell;
  Restarter& restarter;
  ConsoleOutput& console;
  std::string programPath;
  SystemInfo system = {};  // what the catalogue's Windows and Arch keys are compared with
  ResumeStore* resume =
      nullptr;               // the queue's record (/restart); none: it does not survive restarts
  Hasher* hasher = nullptr;  // the catalogue's digest for the record
};

// Runs `options` and gives the exit code (kExitInstalled ... in app/unattended.h).
int RunUnattended(const UnattendedOptions& options, UnattendedSeams seams);

// Goes on with the queue of the record at `recordPath` after a restart (/resume): the disc found
// again, the rows done kept, the rest run in the same log; nothing runs from a record refused.
int RunResumed(const std::string& recordPath, UnattendedSeams seams);

}  // namespace tallimo
