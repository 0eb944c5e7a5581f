#pragma once
// The rows of an install queue: what the planner makes of a selection, what the executors run,
// and the results the queue, its log, the elevated copy's events and the restart record hold.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/success_codes.h"

namespace tallimo {

inline constexpr uint32_t kExitRestartNeeded = 3010;
inline constexpr uint32_t kExitRestartStarted = 1641;

enum class TQueueState {
  qsWaiting,
  qsRunning,
  qsInstalled,
  qsRestartNeeded,
  qsRestartStarted,
  qsFailed,                 // a failing exit code
  qsCannotStart,            // with the system's message
  qsStopped,                // not started: the user stopped the queue
  qsRestartInProgress,      // not started: a program started the restart
  qsNotWaitedFor,           // the user stopped waiting for it
  qsRightsRefused,          // it needs administrator rights, and the user refused them
  qsAlreadyInstalled,       // not started: installed already (counts as installed)
  qsRefused,                // failed: the elevated copy ran nothing, for the reason in `message`
  qsNotSaved,               // not started: the catalogue's changes were not saved for the hand-over
  qsNotForComputer,         // failed: named, but not for this computer (`message`: what it needs)
  qsSkippedNotForComputer,  // not started: not for this computer
  qsExcluded,               // not started: excluded by the program in `message`
  qsNeeds,                  // not started: its requirement in `message` did not install
  qsNoProcedure,            // failed: named in an unattended run, but it has no install lines
  qsInstalledRestarted,     // installed, and the restart it needed or started has happened
  qsInterrupted,            // failed: a restart cut it off
  qsDiscNotFound,           // not started: the resumed queue did not find its disc
  qsCatalogueChanged,       // not started: the resumed queue found the catalogue changed
  qsTooManyRestarts,        // not started: the queue restarted as often as it may
};

struct QueueRow {
  TQueueState state = TQueueState::qsWaiting;
  uint32_t exitCode = 0;
  std::string message;  // why it could not start
};

// One program of the queue, its lines prepared (the drive token replaced).
struct QueuedProgram {
  std::string name;
  bool batch = false;
  StringList lines;
  ExitCodeList successCodes;
  // Installed already, and not to be installed again: its row says so and nothing runs.
  bool skip = false;
  // Its Program<n> number in the catalogue file, by which an elevated copy finds it; 0: none
  // (it cannot be handed over).
  size_t number = 0;
  // Its result decided by the planner (skipped or failed by the catalogue's rules): nothing runs.
  std::optional<QueueRow> decided = std::nullopt;
  // The rows of its requirements: it starts only when each of them counts as installed.
  std::vector<size_t> needs = {};
  // When the queue restarts the computer for it.
  TRestartRule restart = TRestartRule::rrAtEnd;
};

// The row's state as the window and the log show it: "waiting", "running", "installed",
// "installed, restart needed", "installed, restart started", "failed (exit code N)",
// "failed (cannot start: <message>)", "not started (stopped)", "not started (restart in
// progress)", "not waited for (still running)", "failed (administrator rights refused)",
// "skipped (already installed)", "failed (<message>)", "not started (changes not saved)",
// "failed (not for this computer: it needs <message>)", "skipped (not for this computer)",
// "skipped (excluded by <message>)", "not started (needs <message>)",
// "failed (no installation procedure)", "installed, restarted", "failed (interrupted by a
// restart)", "not started (disc not found)", "not started (the catalogue changed)", "not started
// (too many restarts)".
std::string StateText(const QueueRow& row);

// The result of an exit code: 0 and the entry's success codes are installed, 3010 a restart
// needed, 1641 a restart started, anything else a failure.
TQueueState ResultOfExitCode(uint32_t code, const ExitCodeList& successCodes);

struct QueueCounts {
  int installed = 0;  // restart needed, restart started and skipped as installed included
  int failed = 0;
  int notStarted = 0;
  int notWaitedFor = 0;
};
QueueCounts CountRows(const std::vector<QueueRow>& rows);
// "3 installed, 1 failed, 0 not started", with ", 1 not waited for" when there is one.
std::string SummaryText(const QueueCounts& counts);

// Installed, with a restart needed or started, or skipped as installed already: what a
// requirement must be for its dependents to start.
bool CountsAsInstalled(TQueueState state);

}  // namespace tallimo
