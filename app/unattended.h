#pragma once
// An unattended run's rules: which entries the names on the command line pick, what is queued,
// skipped and left out, and the exit code that sums it all up.
#include <string>
#include <vector>

#include "app/command_line.h"
#include "catalogue/catalogue.h"
#include "install/install_queue.h"
#include "platform/locale.h"
#include "platform/system_info.h"

namespace tallimo {

// The exit codes; where several apply, the first of kExitUsage, kExitRestartStarted,
// kExitFailed, kExitRestartNeeded wins.
inline constexpr int kExitInstalled = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct UnattendedPlan {
  std::string error;                    // a usage error: nothing runs
  std::vector<QueuedProgram> programs;  // in catalogue order, the installed ones to skip
  StringList leftOut;                   // picked, but without install lines
  StringList notes;                     // for the log: the requirements added
};

// The plan for `options` over the catalogue read from `cataloguePath`: names matched as the
// list matches them (ignoring case; of equal names the first entry), "*" every entry; entries
// in `installed` skipped unless /reinstall; %D: given the /drive letter, else the catalogue
// file's drive. The catalogue's rules hold for `system`: named programs bring their
// requirements, and two named programs that exclude each other are a usage error.
UnattendedPlan PlanUnattended(const UnattendedOptions& options, const Catalogue& cat,
                              const std::string& cataloguePath, Locale& locale,
                              const std::vector<const TTallimoProg*>& installed,
                              const SystemInfo& system);

// Picks (by catalogue index) the programs of `presets`, matched ignoring case; false with
// `error` set for a preset that no entry names.
bool PickPresets(const std::vector<std::string>& presets, const TProgramList& list, Locale& locale,
                 std::vector<char>& picked, std::string& error);

// The run's exit code from the queue's rows; `leftOut`: a picked program had no install lines.
int UnattendedExitCode(const std::vector<QueueRow>& rows, bool leftOut);

}  // namespace tallimo
