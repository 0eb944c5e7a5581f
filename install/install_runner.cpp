#include "install/install_runner.h"

#include <utility>

#include "install/install_plan.h"
#include "install/queue_executors.h"

namespace tallimo {

InstallRunner::InstallRunner(InstallSeams seams, ProgramSelection& selection,
                             const TProgramList& programs, StringList& installScript,
                             DriveChooser chooseDrive, std::function<void()> closeMainWindow)
    : seams_(seams),
      selection_(selection),
      programs_(programs),
      installScript_(installScript),
      chooseDrive_(std::move(chooseDrive)),
      closeMainWindow_(std::move(closeMainWindow)) {}

// The selected entry as a plan of one row, run by launching: nothing is waited for.
TInstallResult InstallRunner::Install() {
  installScript_.clear();
  if (!selection_.HasSelection(true)) return TInstallResult::irNoSelection;
  const int index = selection_.SelectedIndex();
  if (index < 0 || static_cast<size_t>(index) >= programs_.size()) {
    return TInstallResult::irNoEntry;
  }
  // Installed already: the caller has asked.
  InstallPlan plan = PlanInstall({programs_,
                                  {static_cast<size_t>(index)},
                                  {TInstalledRule::irRun, &seams_.locale.OemCodePage()},
                                  nullptr,
                                  nullptr,
                                  chooseDrive_,
                                  nullptr});
  if (!plan.refusal.empty()) {
    seams_.prompter.MessageDlg(plan.refusal, TMsgDlgType::mtError);
    return TInstallResult::irUnreadable;
  }
  if (plan.noDrive) return TInstallResult::irCancelled;
  if (plan.rows.empty()) {
    seams_.prompter.MessageDlg(kNoProcedureMessage, TMsgDlgType::mtError);
    return TInstallResult::irNoProcedure;
  }
  installScript_ = plan.rows.front().lines;
  LaunchExecutor({seams_.shell, seams_.files, seams_.environment, seams_.random, seams_.locale})
      .Run(plan.rows.front());
  return TInstallResult::irLaunched;
}

TInstallResult InstallRunner::InstallAndClose() {
  if (!selection_.HasSelection(true)) return TInstallResult::irNoSelection;
  TInstallResult result = Install();
  if (result != TInstallResult::irCancelled && result != TInstallResult::irNoSelection &&
      result != TInstallResult::irUnreadable && closeMainWindow_) {
    closeMainWindow_();
  }
  return result;
}

}  // namespace tallimo
