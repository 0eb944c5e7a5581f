#include "install/install_plan.h"

#include <algorithm>

#include "install/batch_file.h"

namespace tallimo {

std::vector<size_t> PickedInOrder(const TProgramList& programs,
                                  const std::function<bool(const TTallimoProg&)>& isPicked) {
  std::vector<size_t> picked;
  for (size_t i = 0; i < programs.size(); ++i)
    if (isPicked(*programs[i])) picked.push_back(i);
  return picked;
}

namespace {

// The rules over the programs queued so far: their requirements added, the order settled, and
// the results of what cannot run decided. False when the plan is refused.
bool ApplyRules(const PlanRequest& request, const ProgramRules& rules, std::vector<size_t>& queued,
                std::vector<std::optional<QueueRow>>& decided,
                std::vector<std::vector<size_t>>& needs, InstallPlan& plan) {
  const TProgramList& programs = request.programs;
  auto name = [&](size_t i) { return programs[i]->Name; };
  auto named = [&](size_t i) { return !request.named || request.named(i); };
  auto installed = [&](size_t i) {
    return request.isInstalled && request.isInstalled(*programs[i]);
  };
  std::vector<char> in(programs.size(), 0), kept(programs.size(), 0);
  std::sort(queued.begin(), queued.end());
  for (size_t i : queued) in[i] = 1;
  decided.assign(programs.size(), std::nullopt);
  for (size_t i : queued) {
    if (!rules.Applicable(i)) {
      decided[i] = named(i) ? QueueRow{TQueueState::qsNotForComputer, 0, rules.Needs(i)}
                            : QueueRow{TQueueState::qsSkippedNotForComputer, 0, {}};
      continue;
    }
    const std::vector<size_t>& rivals = rules.Exclusions(i);
    const auto by = std::find_if(rivals.begin(), rivals.end(), [&](size_t k) { return kept[k]; });
    if (by != rivals.end()) {
      if (request.options.refuseExclusions && named(i) && named(*by)) {
        plan.error = name(*by) + " and " + name(i) + " cannot be installed together";
        return false;
      }
      decided[i] = QueueRow{TQueueState::qsExcluded, 0, name(*by)};
      continue;
    }
    kept[i] = 1;
  }
  // What the kept programs require, less what is installed or queued already.
  const std::vector<size_t> first = queued;
  for (size_t i : first) {
    if (!kept[i]) continue;
    for (size_t r : rules.AllRequirements(i, [&](size_t k) { return installed(k) || in[k]; })) {
      if (programs[r]->InstallLines.empty()) continue;
      in[r] = kept[r] = 1;
      queued.push_back(r);
      plan.notes.push_back(name(r) + ": added, required by " + name(i));
    }
  }
  queued = rules.InstallOrder(std::move(queued));
  // Each row waits for the rows of its requirements before it.
  needs.assign(programs.size(), {});
  std::vector<size_t> rowOf(programs.size(), programs.size());
  for (size_t row = 0; row < queued.size(); ++row) {
    rowOf[queued[row]] = row;
    for (size_t r : rules.Prerequisites(queued[row]))
      if (rowOf[r] < row) needs[queued[row]].push_back(rowOf[r]);
  }
  return true;
}

}  // namespace

InstallPlan PlanInstall(const PlanRequest& request) {
  InstallPlan plan;
  std::vector<size_t> queued;
  for (size_t i : request.picked) {
    const TTallimoProg& entry = *request.programs[i];
    if (entry.InstallLines.empty())
      plan.leftOut.push_back(entry.Name);
    else
      queued.push_back(i);
  }
  if (!plan.leftOut.empty() && request.showLeftOut) request.showLeftOut(plan.leftOut);
  std::vector<std::optional<QueueRow>> decided;
  std::vector<std::vector<size_t>> needs;
  if (request.options.rules &&
      !ApplyRules(request, *request.options.rules, queued, decided, needs, plan))
    return plan;
  auto isDecided = [&](size_t i) { return !decided.empty() && decided[i].has_value(); };
  // Before any question: no answer mends such a line.
  if (request.options.refuseUnreadable) {
    for (size_t i : queued) {
      if (isDecided(i)) continue;
      plan.refusal = BatchFileRefusal(*request.programs[i], *request.options.refuseUnreadable);
      if (!plan.refusal.empty()) return plan;
    }
  }
  std::vector<const TTallimoProg*> installed;
  if (request.isInstalled && request.options.installed != TInstalledRule::irRun)
    for (size_t i : queued)
      if (!isDecided(i) && request.isInstalled(*request.programs[i]))
        installed.push_back(request.programs[i].get());
  const bool skipInstalled =
      !installed.empty() && (request.options.installed == TInstalledRule::irSkip ||
                             !request.confirmReinstall || !request.confirmReinstall(installed));
  bool asked = false;
  for (size_t i : queued) {
    const TTallimoProg& entry = *request.programs[i];
    QueuedProgram row{entry.Name, entry.Batch, {}, entry.SuccessCodes};
    row.number = i + 1;
    row.restart = entry.Restart;
    row.skip =
        skipInstalled && std::find(installed.begin(), installed.end(), &entry) != installed.end();
    if (!needs.empty()) row.needs = needs[i];
    if (isDecided(i)) {
      row.decided = decided[i];
      row.lines = entry.InstallLines;  // never run
    } else if (row.skip) {
      row.lines = entry.InstallLines;  // never run
    } else {
      // One question for the whole queue.
      std::optional<StringList> lines = PrepareInstallLines(entry.InstallLines, [&] {
        if (!asked) {
          asked = true;
          plan.drive = request.chooseDrive ? request.chooseDrive() : std::nullopt;
        }
        return plan.drive;
      });
      if (!lines) {
        plan.noDrive = true;
        plan.needsDrive = entry.Name;
        plan.rows.clear();
        plan.entries.clear();
        return plan;
      }
      row.lines = std::move(*lines);
    }
    plan.rows.push_back(std::move(row));
    plan.entries.push_back(&entry);
  }
  return plan;
}

}  // namespace tallimo
