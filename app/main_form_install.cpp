// The install commands of the main window: Install and Install & Close (buttons, popup items,
// Enter and a double click on the list), run by the install runner.
#include "app/main_form.h"
#include "install/drive_dialog.h"
#include "install/install_runner.h"
#include "platform/environment.h"
#include "platform/shell.h"
#include "ui/application.h"

namespace tallimo {

namespace {

// The main window's list as the install runner sees it.
class MainWindowSelection final : public ProgramSelection {
 public:
  explicit MainWindowSelection(TFTallimo& form) : form_(form) {}
  bool HasSelection(bool warn) override { return form_.HasSelection(warn); }
  std::string SelectedText() override {
    ui::TGridRect selection = form_.ListBox1.Selection();
    return form_.ListBox1.Cell(selection.Left, selection.Top);
  }
  int FindProgramIndex(const std::string& name) override { return form_.FindProgramIndex(name); }

 private:
  TFTallimo& form_;
};

std::optional<char> ChooseDriveInDialog() {
  if (!FTallimodrive) return std::nullopt;
  return FTallimodrive->ChooseDrive();
}

RandomSource& BatchNameRandom() {
  static TimeSeededRandom random;
  return random;
}

}  // namespace

void TFTallimo::InitInstallCommands() {
  BtnInstClose.SetEnabled(true);
  BtnInstall.SetEnabled(true);
  ppInstallClose1->SetEnabled(true);
  ppInstall1->SetEnabled(true);
}

void TFTallimo::BtnInstallClick() {
  MainWindowSelection selection(*this);
  InstallRunner runner(
      {HostEnvironment(), HostShell(), seams_.files, ui::App().GetPrompter(), BatchNameRandom()},
      selection, Cat.ProgramList, InstallScript, ChooseDriveInDialog, [this] { Close(); });
  runner.Install();
}

void TFTallimo::BtnInstCloseClick() {
  MainWindowSelection selection(*this);
  InstallRunner runner(
      {HostEnvironment(), HostShell(), seams_.files, ui::App().GetPrompter(), BatchNameRandom()},
      selection, Cat.ProgramList, InstallScript, ChooseDriveInDialog, [this] { Close(); });
  runner.InstallAndClose();
}

}  // namespace tallimo
