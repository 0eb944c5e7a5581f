#pragma once
// The program list grid's rows and selection, apart from the grid itself.
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/locale.h"
#include "platform/prompter.h"

namespace tallimo {

// The names of `list` as the grid lists them: ascending by the locale's case-ignoring
// comparison; of names that compare equal only the first in catalogue order is kept.
// Empty for an empty list.
StringList SortedProgramNames(const TProgramList& list, Locale& locale);
// The entries those names stand for, in the same order.
std::vector<const TTallimoProg*> SortedProgramEntries(const TProgramList& list, Locale& locale);

// The grid's rows after RefreshProgramList: the sorted names, or one blank row when there are
// none (the grid never has fewer than one row).
StringList ProgramListRows(const TProgramList& list, Locale& locale);

// The index in `list` of the first entry whose Name equals `name` byte for byte, or -1.
int FindProgramIndex(const TProgramList& list, const std::string& name);

inline constexpr const char* kNoSelectionWarning = "You must first select an item!";

// True when the selection's top row is 0 or more. When not, and `warn` is set, shows the
// warning "You must first select an item!" (Warning, OK) through `prompter`.
bool HasSelection(int selectionTopRow, bool warn, Prompter& prompter);

// What selecting the row whose text is `cellText` does to the panes: nothing (nullopt) while
// the catalogue is empty, else ShowProgramDetails with the returned index (-1 when no entry
// has that name). Every selection counts, the first one after a refill included.
std::optional<int> SelectedDetailsIndex(const TProgramList& list, const std::string& cellText);

// The entries marked for installing. Marks belong to entries, not to rows: they stay through
// refills and sorting, go with an entry that is removed, and are never saved.
class ProgramMarks {
 public:
  bool IsMarked(const TTallimoProg* entry) const { return marked_.count(entry) > 0; }
  void SetMarked(const TTallimoProg* entry, bool marked);
  void Toggle(const TTallimoProg* entry) { SetMarked(entry, !IsMarked(entry)); }
  void Clear() { marked_.clear(); }
  bool Empty() const { return marked_.empty(); }
  int Count() const { return static_cast<int>(marked_.size()); }
  // Drops the marks of entries that are no longer in `list` (removed, replaced or read anew),
  // before another entry could take an address that a mark still names.
  void KeepOnly(const TProgramList& list);

 private:
  std::set<const TTallimoProg*> marked_;
};

// The heading over the list: the design's caption, or, while programs are marked, how many.
std::string ListHeading(int markedCount);

}  // namespace tallimo
