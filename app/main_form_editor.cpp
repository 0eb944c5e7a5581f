// The entry editor's commands of the main window: Add Program, Edit Program and Remove Program
// in the list's popup menu, run over the Add/Edit Program dialog.
#include "app/main_form.h"
#include "app/main_window_selection.h"
#include "catalogue/program_groups.h"
#include "editor/entry_commands.h"

namespace tallimo {

namespace {

TEntryResult RunEntryCommand(TFTallimo& form, MainWindowSeams& seams,
                             TEntryResult (EntryCommands::*command)()) {
  MainWindowSelection selection(form);
  seams.dialogs.entry.SetIniFileName(form.Cat.IniFileName);
  seams.dialogs.entry.SetCategories(CatalogueCategories(form.Cat.ProgramList).Names());
  EntryCommands commands(form.Cat, selection, seams.dialogs.entry, seams.prompter,
                         [&form] { form.RefreshAfterChange(); });
  return (commands.*command)();
}

}  // namespace

void TFTallimo::InitEditorCommands() {
  ppAddProgram1->OnClick = [this] { ppAddProgram1Click(); };
  ppEditProcedure1->OnClick = [this] { ppEditProcedure1Click(); };
  ppRemoveProgram1->OnClick = [this] { ppRemoveProgram1Click(); };
}

void TFTallimo::ppAddProgram1Click() {
  RunEntryCommand(*this, seams_, &EntryCommands::AddProgram);
}

void TFTallimo::ppEditProcedure1Click() {
  // The edited entry replaces the old one at the end of the list, and keeps its mark.
  const bool marked = Marks.IsMarked(SelectedEntry());
  if (RunEntryCommand(*this, seams_, &EntryCommands::EditProgram) == TEntryResult::erChanged &&
      marked) {
    Marks.SetMarked(Cat.ProgramList.back().get(), true);
    ShowMarks();
  }
}

void TFTallimo::ppRemoveProgram1Click() {
  RunEntryCommand(*this, seams_, &EntryCommands::RemoveProgram);
}

}  // namespace tallimo
