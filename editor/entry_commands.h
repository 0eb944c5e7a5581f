#pragma once
// Add Program, Edit Program and Remove Program: the commands that change the catalogue one
// entry at a time, over the Add/Edit dialog as a small interface so that they run without
// windows.
#include <functional>
#include <memory>

#include "catalogue/catalogue.h"
#include "catalogue/program_selection.h"
#include "platform/prompter.h"

namespace tallimo {

// The Add/Edit Program dialog as the commands see it.
class EntryEditor {
 public:
  virtual ~EntryEditor() = default;
  // The catalogue file in use, for the dialog to show.
  virtual void SetIniFileName(const std::string& name) = 0;
  // The catalogue's categories, for the Category field to offer.
  virtual void SetCategories(const StringList& categories) = 0;
  // Puts the entry's fields into the controls and makes the first page the active one.
  virtual void LoadEntry(const TTallimoProg& entry) = 0;
  // Shows the dialog modally: OK or Cancel.
  virtual TModalResult ShowEditor() = 0;
  // Copies the controls back into the entry (the memos as the lines typed).
  virtual void StoreEntry(TTallimoProg& entry) = 0;
};

// How a command ended.
enum class TEntryResult {
  erNoSelection,  // Edit or Remove without a selected row: the user was warned
  erNoEntry,      // the selected row names no entry: nothing happens
  erCancelled,    // the dialog was cancelled or the removal declined: nothing changed
  erChanged,      // the catalogue changed, the list was refreshed and Modified set
};

inline constexpr const char* kRemoveQuestion = "Are you sure you want to remove this program?";
// The Remove question for the name shown in the list.
std::string RemoveProgramQuestion(const std::string& name);

class EntryCommands {
 public:
  // `refresh` refills the list with no selection and clears the panes (RefreshAfterChange).
  EntryCommands(Catalogue& cat, ProgramSelection& selection, EntryEditor& editor,
                Prompter& prompter, std::function<void()> refresh);

  // EditProgramEntry: loads cat.CurrentEntry into the dialog, shows it, and copies it back
  // whatever the answer.
  TModalResult EditProgramEntry();
  // ppAddProgram1Click: a new entry, appended on OK.
  TEntryResult AddProgram();
  // ppEditProcedure1Click: a copy of the selected entry edited; on OK the entry is replaced by
  // the copy at the end of the program list.
  TEntryResult EditProgram();
  // ppRemoveProgram1Click: the selected entry removed once the user agrees.
  TEntryResult RemoveProgram();

 private:
  // Holds the entry being edited and makes cat.CurrentEntry refer to it; an entry still held
  // when the command ends (cancelled, or an error thrown) is disposed of, and CurrentEntry no
  // longer refers to it.
  class PendingEntry;
  TEntryResult Commit(std::unique_ptr<TTallimoProg> entry, const TTallimoProg* replaced);
  int SelectedIndex(TEntryResult& stop);

  Catalogue& cat_;
  ProgramSelection& selection_;
  EntryEditor& editor_;
  Prompter& prompter_;
  std::function<void()> refresh_;
};

}  // namespace tallimo
