#include "app/unattended.h"

#include <algorithm>
#include <cctype>

#include "install/install_plan.h"

namespace tallimo {

UnattendedPlan PlanUnattended(const UnattendedOptions& options, const Catalogue& cat,
                              const std::string& cataloguePath, Locale& locale,
                              const std::vector<const TTallimoProg*>& installed) {
  UnattendedPlan plan;
  // Picked entries by their index in catalogue order.
  std::vector<char> picked(cat.ProgramList.size(), 0);
  for (const std::string& name : options.names) {
    if (name == "*") {
      std::fill(picked.begin(), picked.end(), 1);
      continue;
    }
    size_t i = 0;
    while (i < picked.size() && locale.CompareIgnoreCase(cat.ProgramList[i]->Name, name) != 0) ++i;
    if (i == picked.size()) {
      plan.error = "No program of the catalogue is named " + name;
      return plan;
    }
    picked[i] = 1;
  }
  std::optional<char> drive = options.drive;
  if (!drive && cataloguePath.size() >= 2 && cataloguePath[1] == ':' &&
      std::isalpha(static_cast<unsigned char>(cataloguePath[0])))
    drive = static_cast<char>(cataloguePath[0] | 0x20);
  std::vector<size_t> chosen;
  for (size_t i = 0; i < picked.size(); ++i)
    if (picked[i]) chosen.push_back(i);
  // No question waits for a person; a line the command prompt cannot read fails its row.
  InstallPlan planned = PlanInstall(
      {cat.ProgramList,
       std::move(chosen),
       {options.reinstall ? TInstalledRule::irRun : TInstalledRule::irSkip, nullptr},
       [&installed](const TTallimoProg& entry) {
         return std::find(installed.begin(), installed.end(), &entry) != installed.end();
       },
       nullptr,
       [&drive] { return drive; },
       nullptr});
  if (planned.noDrive) {
    plan.error = planned.needsDrive +
                 " needs a drive for %D:, and the catalogue's path has no drive letter: "
                 "give one with /drive";
    return plan;
  }
  plan.programs = std::move(planned.rows);
  plan.leftOut = std::move(planned.leftOut);
  return plan;
}

int UnattendedExitCode(const std::vector<QueueRow>& rows, bool leftOut) {
  auto any = [&rows](std::initializer_list<TQueueState> states) {
    return std::any_of(rows.begin(), rows.end(), [&](const QueueRow& row) {
      return std::find(states.begin(), states.end(), row.state) != states.end();
    });
  };
  if (any({TQueueState::qsRestartStarted})) return static_cast<int>(kExitRestartStarted);
  if (leftOut || any({TQueueState::qsFailed, TQueueState::qsCannotStart,
                      TQueueState::qsRightsRefused, TQueueState::qsRefused, TQueueState::qsNotSaved,
                      TQueueState::qsStopped, TQueueState::qsRestartInProgress,
                      TQueueState::qsNotWaitedFor, TQueueState::qsWaiting, TQueueState::qsRunning}))
    return kExitFailed;
  if (any({TQueueState::qsRestartNeeded})) return static_cast<int>(kExitRestartNeeded);
  return kExitInstalled;
}

}  // namespace tallimo
