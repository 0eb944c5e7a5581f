#include "install/queue_rows.h"

#include <algorithm>

namespace tallimo {

std::string StateText(const QueueRow& row) {
  switch (row.state) {
    case TQueueState::qsWaiting:
      return "waiting";
    case TQueueState::qsRunning:
      return "running";
    case TQueueState::qsInstalled:
      return "installed";
    case TQueueState::qsRestartNeeded:
      return "installed, restart needed";
    case TQueueState::qsRestartStarted:
      return "installed, restart started";
    case TQueueState::qsFailed:
      return "failed (exit code " + std::to_string(row.exitCode) + ")";
    case TQueueState::qsCannotStart:
      return "failed (cannot start: " + row.message + ")";
    case TQueueState::qsStopped:
      return "not started (stopped)";
    case TQueueState::qsRestartInProgress:
      return "not started (restart in progress)";
    case TQueueState::qsNotWaitedFor:
      return "not waited for (still running)";
    case TQueueState::qsRightsRefused:
      return "failed (administrator rights refused)";
    case TQueueState::qsAlreadyInstalled:
      return "skipped (already installed)";
    case TQueueState::qsRefused:
      return "failed (" + row.message + ")";
    case TQueueState::qsNotSaved:
      return "not started (changes not saved)";
    case TQueueState::qsNotForComputer:
      return "failed (not for this computer: it needs " + row.message + ")";
    case TQueueState::qsSkippedNotForComputer:
      return "skipped (not for this computer)";
    case TQueueState::qsExcluded:
      return "skipped (excluded by " + row.message + ")";
    case TQueueState::qsNeeds:
      return "not started (needs " + row.message + ")";
    case TQueueState::qsNoProcedure:
      return "failed (no installation procedure)";
    case TQueueState::qsInstalledRestarted:
      return "installed, restarted";
    case TQueueState::qsInterrupted:
      return "failed (interrupted by a restart)";
    case TQueueState::qsDiscNotFound:
      return "not started (disc not found)";
    case TQueueState::qsCatalogueChanged:
      return "not started (the catalogue changed)";
    case TQueueState::qsTooManyRestarts:
      return "not started (too many restarts)";
  }
  return {};
}

TQueueState ResultOfExitCode(uint32_t code, const ExitCodeList& successCodes) {
  if (code == 0 || std::find(successCodes.begin(), successCodes.end(), code) != successCodes.end())
    return TQueueState::qsInstalled;
  if (code == kExitRestartNeeded) return TQueueState::qsRestartNeeded;
  if (code == kExitRestartStarted) return TQueueState::qsRestartStarted;
  return TQueueState::qsFailed;
}

QueueCounts CountRows(const std::vector<QueueRow>& rows) {
  QueueCounts counts;
  for (const QueueRow& row : rows) {
    switch (row.state) {
      case TQueueState::qsInstalled:
      case TQueueState::qsRestartNeeded:
      case TQueueState::qsRestartStarted:
      case TQueueState::qsAlreadyInstalled:
      case TQueueState::qsInstalledRestarted:
        ++counts.installed;
        break;
      case TQueueState::qsFailed:
      case TQueueState::qsCannotStart:
      case TQueueState::qsRightsRefused:
      case TQueueState::qsRefused:
      case TQueueState::qsNotForComputer:
      case TQueueState::qsNoProcedure:
      case TQueueState::qsInterrupted:
        ++counts.failed;
        break;
      case TQueueState::qsWaiting:
      case TQueueState::qsStopped:
      case TQueueState::qsNotSaved:
      case TQueueState::qsRestartInProgress:
      case TQueueState::qsSkippedNotForComputer:
      case TQueueState::qsExcluded:
      case TQueueState::qsNeeds:
      case TQueueState::qsDiscNotFound:
      case TQueueState::qsCatalogueChanged:
      case TQueueState::qsTooManyRestarts:
        ++counts.notStarted;
        break;
      case TQueueState::qsNotWaitedFor:
        ++counts.notWaitedFor;
        break;
      case TQueueState::qsRunning:
        break;
    }
  }
  return counts;
}

std::string SummaryText(const QueueCounts& counts) {
  std::string text = std::to_string(counts.installed) + " installed, " +
                     std::to_string(counts.failed) + " failed, " +
                     std::to_string(counts.notStarted) + " not started";
  if (counts.notWaitedFor) text += ", " + std::to_string(counts.notWaitedFor) + " not waited for";
  return text;
}

bool CountsAsInstalled(TQueueState state) {
  return state == TQueueState::qsInstalled || state == TQueueState::qsRestartNeeded ||
         state == TQueueState::qsRestartStarted || state == TQueueState::qsAlreadyInstalled ||
         state == TQueueState::qsInstalledRestarted;
}

}  // namespace tallimo
