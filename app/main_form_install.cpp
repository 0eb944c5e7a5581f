// The install commands of the main window: Install and Install & Close (buttons, pop-up items,
// Enter and a double click on the list), run by the install runner.
#include "app/main_form.h"
#include "app/main_window_selection.h"
#include "install/install_runner.h"

namespace tallimo {

namespace {

// Runs `command` of an install runner over the main window's selection and seams.
TInstallResult RunInstall(TFTallimo& form, MainWindowSeams& seams,
                          TInstallResult (InstallRunner::*command)()) {
  MainWindowSelection selection(form);
  InstallRunner runner({seams.environment, seams.shell, seams.files, seams.prompter, seams.random},
                       selection, form.Cat.ProgramList, form.InstallScript,
                       [&seams] { return seams.dialogs.drive.ChooseDrive(); },
                       [&form] { form.Close(); });
  return (runner.*command)();
}

}  // namespace

void TFTallimo::InitInstallCommands() {
  for (ui::Button* button : {&BtnInstClose, &BtnInstall}) button->SetEnabled(true);
  for (ui::MenuItem* item : {ppInstallClose1, ppInstall1}) item->SetEnabled(true);
  BtnInstClose.OnClick = [this] { BtnInstCloseClick(); };
  ppInstallClose1->OnClick = [this] { BtnInstCloseClick(); };
  ListBox1.OnDblClick = [this] { BtnInstCloseClick(); };
  BtnInstall.OnClick = [this] { BtnInstallClick(); };
  ppInstall1->OnClick = [this] { BtnInstallClick(); };
}

void TFTallimo::BtnInstallClick() {
  RunInstall(*this, seams_, &InstallRunner::Install);
}

void TFTallimo::BtnInstCloseClick() {
  RunInstall(*this, seams_, &InstallRunner::InstallAndClose);
}

}  // namespace tallimo
