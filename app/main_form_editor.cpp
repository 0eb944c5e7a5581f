// The entry editor's commands of the main window: Add Program, Edit Program and Remove Program
// in the list's popup menu, run over the Add/Edit Program dialog.
#include <memory>

#include "app/main_form.h"
#include "app/main_window_selection.h"
#include "editor/entry_commands.h"
#include "editor/entry_dialog.h"
#include "ui/application.h"

namespace tallimo {

namespace {

template <typename Command>
void RunEntryCommand(TFTallimo& form, Command command) {
  MainWindowSelection selection(form);
  // The dialog made at start-up; one for this command where there is none (a main window
  // made on its own).
  std::unique_ptr<TFTallimoadd> own;
  if (!FTallimoadd) own = std::make_unique<TFTallimoadd>();
  TFTallimoadd& dialog = FTallimoadd ? *FTallimoadd : *own;
  dialog.IniFileName = form.Cat.IniFileName;
  EntryCommands commands(form.Cat, selection, dialog, ui::App().GetPrompter(),
                         [&form] { form.RefreshAfterChange(); });
  (commands.*command)();
}

}  // namespace

void TFTallimo::InitEditorCommands() {
  ppAddProgram1->OnClick = [this] { ppAddProgram1Click(); };
  ppEditProcedure1->OnClick = [this] { ppEditProcedure1Click(); };
  ppRemoveProgram1->OnClick = [this] { ppRemoveProgram1Click(); };
}

void TFTallimo::ppAddProgram1Click() {
  RunEntryCommand(*this, &EntryCommands::AddProgram);
}

void TFTallimo::ppEditProcedure1Click() {
  RunEntryCommand(*this, &EntryCommands::EditProgram);
}

void TFTallimo::ppRemoveProgram1Click() {
  RunEntryCommand(*this, &EntryCommands::RemoveProgram);
}

}  // namespace tallimo
