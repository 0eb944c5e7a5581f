#include "app/unattended.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "install/drive_token.h"

namespace tallimo {

UnattendedPlan PlanUnattended(const UnattendedOptions& options, const Catalogue& cat,
                              const std::string& cataloguePath, Locale& locale,
                              const std::vector<const TTallimoProg*>& installed) {
  UnattendedPlan plan;
  std::set<const TTallimoProg*> picked;
  for (const std::string& name : options.names) {
    if (name == "*") {
      for (const auto& entry : cat.ProgramList) picked.insert(entry.get());
      continue;
    }
    auto found = std::find_if(cat.ProgramList.begin(), cat.ProgramList.end(), [&](const auto& e) {
      return locale.CompareIgnoreCase(e->Name, name) == 0;
    });
    if (found == cat.ProgramList.end()) {
      plan.error = "No program of the catalogue is named " + name;
      return plan;
    }
    picked.insert(found->get());
  }
  std::optional<char> drive = options.drive;
  if (!drive && cataloguePath.size() >= 2 && cataloguePath[1] == ':' &&
      std::isalpha(static_cast<unsigned char>(cataloguePath[0])))
    drive = static_cast<char>(cataloguePath[0] | 0x20);
  for (const auto& entry : cat.ProgramList) {
    if (!picked.count(entry.get())) continue;
    if (entry->InstallLines.empty()) {
      plan.leftOut.push_back(entry->Name);
      continue;
    }
    QueuedProgram program{entry->Name, entry->Batch, {}, entry->SuccessCodes};
    program.skip = !options.reinstall &&
                   std::find(installed.begin(), installed.end(), entry.get()) != installed.end();
    if (program.skip) {
      program.lines = entry->InstallLines;  // never run
    } else {
      std::optional<StringList> lines =
          PrepareInstallLines(entry->InstallLines, [&drive] { return drive; });
      if (!lines) {
        plan.error = entry->Name +
                     " needs a drive for %D:, and the catalogue's path has no drive letter: "
                     "give one with /drive";
        return plan;
      }
      program.lines = std::move(*lines);
    }
    plan.programs.push_back(std::move(program));
  }
  return plan;
}

int UnattendedExitCode(const std::vector<QueueRow>& rows, bool leftOut) {
  auto any = [&rows](std::initializer_list<TQueueState> states) {
    return std::any_of(rows.begin(), rows.end(), [&](const QueueRow& row) {
      return std::find(states.begin(), states.end(), row.state) != states.end();
    });
  };
  if (any({TQueueState::qsRestartStarted})) return static_cast<int>(kExitRestartStarted);
  if (leftOut ||
      any({TQueueState::qsFailed, TQueueState::qsCannotStart, TQueueState::qsRightsRefused,
           TQueueState::qsStopped, TQueueState::qsRestartInProgress, TQueueState::qsNotWaitedFor,
           TQueueState::qsWaiting, TQueueState::qsRunning}))
    return kExitFailed;
  if (any({TQueueState::qsRestartNeeded})) return static_cast<int>(kExitRestartNeeded);
  return kExitInstalled;
}

}  // namespace tallimo
