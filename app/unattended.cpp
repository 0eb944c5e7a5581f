#include "app/unattended.h"

#include <algorithm>
#include <cctype>

#include "app/program_list.h"
#include "catalogue/program_groups.h"
#include "install/drive_token.h"
#include "install/install_plan.h"

namespace tallimo {

bool PickPresets(const std::vector<std::string>& presets, const TProgramList& list, Locale& locale,
                 std::vector<char>& picked, std::string& error) {
  if (presets.empty()) return true;
  const GroupNames known = CataloguePresets(list);
  for (const std::string& preset : presets)
    if (known.Find(preset) == known.Names().size()) {
      error = "No preset of the catalogue is named " + preset;
      return false;
    }
  // Of entries with equal names, the one the list reaches, as for names.
  ProgramMarks reached;
  for (const TTallimoProg* entry : SortedProgramEntries(list, locale))
    reached.SetMarked(entry, true);
  for (size_t i = 0; i < list.size(); ++i)
    if (reached.IsMarked(list[i].get()) &&
        std::any_of(presets.begin(), presets.end(),
                    [&](const std::string& p) { return HoldsPreset(*list[i], p); }))
      picked[i] = 1;
  return true;
}

UnattendedPlan PlanUnattended(const UnattendedOptions& options, const Catalogue& cat,
                              const std::string& cataloguePath, Locale& locale,
                              const std::vector<const TTallimoProg*>& installed,
                              const SystemInfo& system) {
  UnattendedPlan plan;
  // Picked entries by their index in catalogue order; 2: named for itself.
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
    picked[i] = 2;
  }
  if (!PickPresets(options.presets, cat.ProgramList, locale, picked, plan.error)) return plan;
  std::optional<char> drive = options.drive;
  if (!drive && cataloguePath.size() >= 2 && cataloguePath[1] == ':' &&
      std::isalpha(static_cast<unsigned char>(cataloguePath[0])))
    drive = static_cast<char>(cataloguePath[0] | 0x20);
  std::vector<size_t> chosen;
  for (size_t i = 0; i < picked.size(); ++i)
    if (picked[i]) chosen.push_back(i);
  // No question waits for a person; a line the command prompt cannot read fails its row.
  const ProgramRules rules(cat.ProgramList, system);
  InstallPlan planned = PlanInstall(
      {cat.ProgramList,
       std::move(chosen),
       {options.reinstall ? TInstalledRule::irRun : TInstalledRule::irSkip, nullptr, &rules, true},
       [&installed](const TTallimoProg& entry) {
         return std::find(installed.begin(), installed.end(), &entry) != installed.end();
       },
       nullptr,
       [&drive] { return drive; },
       nullptr,
       [&picked](size_t i) { return picked[i] == 2; }});
  if (!planned.error.empty()) {
    plan.error = planned.error;
    return plan;
  }
  if (planned.noDrive) {
    plan.error = planned.needsDrive +
                 " needs a drive for %D:, and the catalogue's path has no drive letter: "
                 "give one with /drive";
    return plan;
  }
  // What has no install lines fails as a row of its own, counted with the rest; the rows that
  // follow move down by as many.
  for (const std::string& name : planned.leftOut) {
    QueuedProgram row{name, false, {}, {}};
    row.decided = QueueRow{TQueueState::qsNoProcedure, 0, {}};
    plan.programs.push_back(std::move(row));
  }
  for (QueuedProgram& row : planned.rows) {
    for (size_t& need : row.needs) need += planned.leftOut.size();
    plan.programs.push_back(std::move(row));
  }
  plan.leftOut = std::move(planned.leftOut);
  plan.notes = std::move(planned.notes);
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
           TQueueState::qsRefused, TQueueState::qsNotSaved, TQueueState::qsNotForComputer,
           TQueueState::qsNoProcedure, TQueueState::qsNeeds, TQueueState::qsStopped,
           TQueueState::qsRestartInProgress, TQueueState::qsNotWaitedFor, TQueueState::qsWaiting,
           TQueueState::qsRunning, TQueueState::qsInterrupted, TQueueState::qsDiscNotFound,
           TQueueState::qsCatalogueChanged, TQueueState::qsTooManyRestarts}))
    return kExitFailed;
  if (any({TQueueState::qsRestartNeeded})) return static_cast<int>(kExitRestartNeeded);
  return kExitInstalled;
}

}  // namespace tallimo
