#include "app/list_rows.h"

#include <algorithm>

#include "catalogue/program_groups.h"
#include "platform/locale.h"

namespace tallimo {

namespace {
// Characters of a preset's name shown in its menu item.
constexpr size_t kMenuNameLength = 60;
}  // namespace

CategoryOrder::CategoryOrder(const TProgramList& list) {
  for (const auto& entry : list) {
    if (entry->Category.empty()) continue;
    if (index_.try_emplace(FoldText(entry->Category), names_.size()).second)
      names_.push_back(entry->Category);
  }
}

size_t CategoryOrder::GroupOf(const TTallimoProg& entry) const {
  if (entry.Category.empty() || names_.empty()) return names_.size();
  const auto it = index_.find(FoldText(entry.Category));
  return it == index_.end() ? names_.size() : it->second;
}

ListRows BuildListRows(const std::vector<const TTallimoProg*>& entries,
                       const CategoryOrder& categories) {
  ListRows rows;
  if (categories.Empty()) {
    rows.reserve(entries.size());
    for (const TTallimoProg* entry : entries) rows.push_back({entry, entry->Name});
    return rows;
  }
  // Each group's programs in the order given, the groups in the categories' order.
  const size_t groups = categories.Names().size() + 1;
  std::vector<std::vector<const TTallimoProg*>> grouped(groups);
  for (const TTallimoProg* entry : entries) grouped[categories.GroupOf(*entry)].push_back(entry);
  rows.reserve(entries.size() + groups);
  for (size_t g = 0; g < groups; ++g) {
    if (grouped[g].empty()) continue;
    rows.push_back({nullptr, g < categories.Names().size() ? categories.Names()[g]
                                                           : std::string(kOtherProgramsHeader)});
    for (const TTallimoProg* entry : grouped[g]) rows.push_back({entry, entry->Name});
  }
  return rows;
}

StringList RowTexts(const ListRows& rows) {
  StringList texts;
  texts.reserve(rows.size());
  for (const ListRow& row : rows) texts.push_back(row.text);
  return texts;
}

StringList TypeAheadTexts(const ListRows& rows) {
  StringList texts;
  texts.reserve(rows.size());
  for (const ListRow& row : rows) texts.push_back(row.IsHeader() ? std::string() : row.text);
  return texts;
}

std::vector<const TTallimoProg*> RowPrograms(const ListRows& rows, size_t row) {
  std::vector<const TTallimoProg*> programs;
  if (row >= rows.size()) return programs;
  if (!rows[row].IsHeader()) return {rows[row].entry};
  for (size_t i = row + 1; i < rows.size() && !rows[i].IsHeader(); ++i)
    programs.push_back(rows[i].entry);
  return programs;
}

bool RowMarked(const ProgramMarks& marks, const ListRows& rows, size_t row) {
  const std::vector<const TTallimoProg*> programs = RowPrograms(rows, row);
  return !programs.empty() && std::all_of(programs.begin(), programs.end(),
                                          [&](const TTallimoProg* e) { return marks.IsMarked(e); });
}

void ToggleRowMarks(ProgramMarks& marks, const ListRows& rows, size_t row) {
  const bool mark = !RowMarked(marks, rows, row);
  for (const TTallimoProg* entry : RowPrograms(rows, row)) marks.SetMarked(entry, mark);
}

void MarkDefaults(ProgramMarks& marks, const ListPrograms& programs) {
  for (const TTallimoProg* entry : programs)
    if (entry->Default) marks.SetMarked(entry, true);
}

void MarkPreset(ProgramMarks& marks, const ListPrograms& programs, const std::string& preset,
                const ProgramMarks& installed) {
  marks.Clear();
  for (const TTallimoProg* entry : programs)
    if (HoldsPreset(*entry, preset) && !installed.IsMarked(entry)) marks.SetMarked(entry, true);
}

StringList PresetMenuCaptions(const StringList& presets) {
  StringList captions;
  captions.reserve(presets.size());
  for (size_t i = 0; i < presets.size(); ++i) {
    std::string caption = i < 9 ? "&" + std::to_string(i + 1) + " " : std::string();
    for (char c : ShortName(presets[i], kMenuNameLength)) {
      if (c == '&') caption += '&';
      caption += c;
    }
    captions.push_back(std::move(caption));
  }
  return captions;
}

}  // namespace tallimo
