#pragma once
// The list's rows as the window shows them: with categories in the catalogue, a header row for
// each category above its programs, in the order the categories first appear, and "Other
// programs" last; without any, the programs alone. A header row is never a program.
#include <string>
#include <unordered_map>
#include <vector>

#include "app/program_list.h"
#include "catalogue/catalogue.h"

namespace tallimo {

inline constexpr const char* kOtherProgramsHeader = "Other programs";

struct ListRow {
  const TTallimoProg* entry = nullptr;  // null: a category's header
  std::string text;                     // the program's name, or the category's
  bool IsHeader() const { return entry == nullptr; }
};
using ListRows = std::vector<ListRow>;

// The catalogue's categories, looked up ignoring case.
class CategoryOrder {
 public:
  CategoryOrder() = default;
  explicit CategoryOrder(const TProgramList& list);
  // No entry has a category: the list shows no header rows.
  bool Empty() const { return names_.empty(); }
  const StringList& Names() const { return names_; }
  // The entry's category as an index into Names(); Names().size() for none ("Other programs").
  size_t GroupOf(const TTallimoProg& entry) const;

 private:
  StringList names_;
  std::unordered_map<std::string, size_t> index_;  // folded name -> index
};

// The rows for `entries` (in the list's sorted order, SortedProgramEntries or the filter's
// share of it): grouped under headers when there are categories, each group keeping that order;
// a header only above programs of its group among `entries`.
ListRows BuildListRows(const std::vector<const TTallimoProg*>& entries,
                       const CategoryOrder& categories);

// The texts of the rows, for the grid.
StringList RowTexts(const ListRows& rows);
// The texts that find as you type searches: the programs' names, an empty text for a header
// (which no typed letter matches), so that it moves over headers as over rows.
StringList TypeAheadTexts(const ListRows& rows);

// The programs under the header at `row` (up to the next header); a program row: that program.
std::vector<const TTallimoProg*> RowPrograms(const ListRows& rows, size_t row);

// Space, Ctrl+click or Mark for Install on a row: a program's mark toggled; on a header, every
// program under it marked, or all unmarked when all are marked.
void ToggleRowMarks(ProgramMarks& marks, const ListRows& rows, size_t row);
// True when every program of the row is marked (the menu's check).
bool RowMarked(const ProgramMarks& marks, const ListRows& rows, size_t row);

// `programs` below are the whole list's (SortedProgramEntries): of entries with equal names,
// the one the list reaches.
using ListPrograms = std::vector<const TTallimoProg*>;
// The marks of a catalogue just read: the programs with Default=1.
void MarkDefaults(ProgramMarks& marks, const ListPrograms& programs);
// Mark Preset: exactly the programs in the preset, less those `installed`.
void MarkPreset(ProgramMarks& marks, const ListPrograms& programs, const std::string& preset,
                const ProgramMarks& installed);

// The items of the Mark Preset submenu: "&1 Office PC" ... for the first nine, the name alone
// after them; "&" in a name shown as itself, and a long name cut with "...".
StringList PresetMenuCaptions(const StringList& presets);

}  // namespace tallimo
