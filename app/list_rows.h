#pragma once
// The list's rows as the window shows them: with categories in the catalogue, a header row for
// each category above its programs, in the order the categories first appear, and "Other
// programs" last; without any, the programs alone. A header row is never a program.
#include <string>
#include <vector>

#include "app/program_list.h"
#include "app/rule_marks.h"
#include "catalogue/catalogue.h"
#include "catalogue/program_groups.h"

namespace tallimo {

inline constexpr const char* kOtherProgramsHeader = "Other programs";

struct ListRow {
  const TTallimoProg* entry = nullptr;  // null: a category's header
  std::string text;                     // the program's name, or the category's
  bool IsHeader() const { return entry == nullptr; }
};
using ListRows = std::vector<ListRow>;

// The rows for `entries` (in the list's sorted order, SortedProgramEntries or the filter's
// share of it): grouped under headers when there are `categories` (CatalogueCategories), each
// group keeping that order; a header only above programs of its group among `entries`.
ListRows BuildListRows(const std::vector<const TTallimoProg*>& entries,
                       const GroupNames& categories);

// The texts of the rows, for the grid; with `namesOnly`, the texts that find as you type
// searches: an empty text for a header (which no typed letter matches), so that it moves over
// headers as over rows.
StringList RowTexts(const ListRows& rows, bool namesOnly = false);

// Space, Ctrl+click or Mark for Install on a row: a program's mark toggled; on a header, every
// program under it marked, or all unmarked when all are marked.
// False when a program's row cannot be marked (it is not for this computer).
bool ToggleRowMarks(RuleMarks& marks, const ListRows& rows, size_t row);
// True when every program of the row that can be marked is marked (the menu's check).
bool RowMarked(const RuleMarks& marks, const ListRows& rows, size_t row);

// `programs` below are the whole list's (SortedProgramEntries): of entries with equal names,
// the one the list reaches.
using ListPrograms = std::vector<const TTallimoProg*>;
// The marks of a catalogue just read: the programs with Default=1.
void MarkDefaults(RuleMarks& marks, const ListPrograms& programs);
// Mark Preset: exactly the programs in the preset, less those `installed`, with what they
// require.
void MarkPreset(RuleMarks& marks, const ListPrograms& programs, const std::string& preset);

// The items of the Mark Preset submenu: "&1 Office PC" ... for the first nine, the name alone
// after them; "&" in a name shown as itself, and a long name cut with "...".
StringList PresetMenuCaptions(const StringList& presets);

}  // namespace tallimo
