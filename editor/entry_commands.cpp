#include "editor/entry_commands.h"

#include <algorithm>

namespace tallimo {

std::string RemoveProgramQuestion(const std::string& name) {
  return std::string(kRemoveQuestion) + "\r\"" + name + "\"";
}

class EntryCommands::PendingEntry {
 public:
  PendingEntry(Catalogue& cat, std::unique_ptr<TTallimoProg> entry)
      : cat_(cat), entry_(std::move(entry)) {
    cat_.CurrentEntry = entry_.get();
  }
  ~PendingEntry() {
    if (entry_ && cat_.CurrentEntry == entry_.get()) cat_.CurrentEntry = nullptr;
  }
  PendingEntry(const PendingEntry&) = delete;
  PendingEntry& operator=(const PendingEntry&) = delete;
  std::unique_ptr<TTallimoProg> Release() { return std::move(entry_); }

 private:
  Catalogue& cat_;
  std::unique_ptr<TTallimoProg> entry_;
};

EntryCommands::EntryCommands(Catalogue& cat, ProgramSelection& selection, EntryEditor& editor,
                             Prompter& prompter, std::function<void()> refresh)
    : cat_(cat),
      selection_(selection),
      editor_(editor),
      prompter_(prompter),
      refresh_(std::move(refresh)) {}

TModalResult EntryCommands::EditProgramEntry() {
  TTallimoProg& entry = *cat_.CurrentEntry;
  editor_.LoadEntry(entry);
  const TModalResult result = editor_.ShowEditor();
  editor_.StoreEntry(entry);
  return result;
}

TEntryResult EntryCommands::Commit(std::unique_ptr<TTallimoProg> entry,
                                   const TTallimoProg* replaced) {
  TProgramList& list = cat_.ProgramList;
  if (replaced) {
    // Found again by identity: the entry the edit began with, wherever it stands now.
    auto at =
        std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.get() == replaced; });
    if (at != list.end()) list.erase(at);
  }
  list.push_back(std::move(entry));
  cat_.CurrentEntry = list.back().get();
  refresh_();
  cat_.Modified = true;
  return TEntryResult::erChanged;
}

TEntryResult EntryCommands::AddProgram() {
  PendingEntry pending(cat_, std::make_unique<TTallimoProg>());
  if (EditProgramEntry() != TModalResult::mrOK) return TEntryResult::erCancelled;
  return Commit(pending.Release(), nullptr);
}

int EntryCommands::SelectedIndex(TEntryResult& stop) {
  if (!selection_.HasSelection(true)) {
    stop = TEntryResult::erNoSelection;
    return -1;
  }
  const int index = selection_.SelectedIndex();
  if (index < 0 || static_cast<size_t>(index) >= cat_.ProgramList.size()) {
    stop = TEntryResult::erNoEntry;
    return -1;
  }
  return index;
}

TEntryResult EntryCommands::EditProgram() {
  TEntryResult stop{};
  const int index = SelectedIndex(stop);
  if (index < 0) return stop;
  const TTallimoProg* selected = cat_.ProgramList[static_cast<size_t>(index)].get();
  // The dialog works on a copy; the selected entry is not touched while it is open.
  PendingEntry pending(cat_, std::make_unique<TTallimoProg>(*selected));
  if (EditProgramEntry() != TModalResult::mrOK) return TEntryResult::erCancelled;
  return Commit(pending.Release(), selected);
}

TEntryResult EntryCommands::RemoveProgram() {
  TEntryResult stop{};
  const int index = SelectedIndex(stop);
  if (index < 0) return stop;
  const TModalResult answer = prompter_.MessageDlg(
      RemoveProgramQuestion(cat_.ProgramList[static_cast<size_t>(index)]->Name),
      TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo});
  if (answer != TModalResult::mrYes) return TEntryResult::erCancelled;
  TProgramList& list = cat_.ProgramList;
  if (cat_.CurrentEntry == list[static_cast<size_t>(index)].get()) cat_.CurrentEntry = nullptr;
  list.erase(list.begin() + index);
  refresh_();
  cat_.Modified = true;
  return TEntryResult::erChanged;
}

}  // namespace tallimo
