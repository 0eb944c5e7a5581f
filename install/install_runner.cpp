#include "install/install_runner.h"

#include <utility>

#include "install/batch_file.h"
#include "install/install_line.h"

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

TInstallResult InstallRunner::Install() {
  installScript_.clear();
  if (!selection_.HasSelection(true)) return TInstallResult::irNoSelection;
  int index = selection_.FindProgramIndex(selection_.SelectedText());
  if (index < 0 || static_cast<size_t>(index) >= programs_.size()) {
    return TInstallResult::irNoEntry;
  }
  const TTallimoProg& entry = *programs_[static_cast<size_t>(index)];
  // Before the drive is asked for: its letter cannot mend such a line.
  if (const std::string refusal = BatchFileRefusal(entry, seams_.locale.OemCodePage());
      !refusal.empty()) {
    seams_.prompter.MessageDlg(refusal, TMsgDlgType::mtError);
    return TInstallResult::irUnreadable;
  }

  std::optional<StringList> prepared = PrepareInstallLines(entry.InstallLines, chooseDrive_);
  if (!prepared) return TInstallResult::irCancelled;
  installScript_ = std::move(*prepared);

  if (installScript_.empty()) {
    seams_.prompter.MessageDlg(kNoProcedureMessage, TMsgDlgType::mtError);
    return TInstallResult::irNoProcedure;
  }
  if (!entry.Batch) {
    for (const std::string& line : installScript_) {
      LineStart start = StartOfLine(line, seams_.files);
      if (start.parameters.empty() && start.program == line)
        seams_.shell.LaunchFile(line);
      else
        seams_.shell.RunProgram(start.program, start.parameters, nullptr);
    }
    return TInstallResult::irLaunched;
  }
  std::string path = WriteBatchFile(installScript_, seams_.locale.OemCodePage(), seams_.environment,
                                    seams_.files, seams_.random);
  seams_.shell.LaunchFile(path);
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
