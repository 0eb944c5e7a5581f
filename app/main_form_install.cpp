// The install commands of the main window: Install and Install & Close (buttons, popup items,
// Enter and a double click on the list), run by the install runner.
#include "app/main_form.h"
#include "app/main_window_selection.h"
#include "install/drive_dialog.h"
#include "install/install_runner.h"
#include "ui/application.h"

namespace tallimo {

namespace {

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
      {seams_.environment, seams_.shell, seams_.files, ui::App().GetPrompter(), BatchNameRandom()},
      selection, Cat.ProgramList, InstallScript, ChooseDriveInDialog, [this] { Close(); });
  runner.Install();
}

void TFTallimo::BtnInstCloseClick() {
  MainWindowSelection selection(*this);
  InstallRunner runner(
      {seams_.environment, seams_.shell, seams_.files, ui::App().GetPrompter(), BatchNameRandom()},
      selection, Cat.ProgramList, InstallScript, ChooseDriveInDialog, [this] { Close(); });
  runner.InstallAndClose();
}

}  // namespace tallimo
