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
  // Before any question: no answer mends such a line.
  if (request.options.refuseUnreadable) {
    for (size_t i : queued) {
      plan.refusal = BatchFileRefusal(*request.programs[i], *request.options.refuseUnreadable);
      if (!plan.refusal.empty()) return plan;
    }
  }
  std::vector<const TTallimoProg*> installed;
  if (request.isInstalled && request.options.installed != TInstalledRule::irRun)
    for (size_t i : queued)
      if (request.isInstalled(*request.programs[i])) installed.push_back(request.programs[i].get());
  const bool skipInstalled =
      !installed.empty() && (request.options.installed == TInstalledRule::irSkip ||
                             !request.confirmReinstall || !request.confirmReinstall(installed));
  bool asked = false;
  for (size_t i : queued) {
    const TTallimoProg& entry = *request.programs[i];
    QueuedProgram row{entry.Name, entry.Batch, {}, entry.SuccessCodes};
    row.number = i + 1;
    row.skip =
        skipInstalled && std::find(installed.begin(), installed.end(), &entry) != installed.end();
    if (row.skip) {
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
