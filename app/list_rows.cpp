#include "app/list_rows.h"

#include <algorithm>

#include "catalogue/program_groups.h"
#include "platform/locale.h"

namespace tallimo {

namespace {
// Characters of a preset's name shown in its menu item.
constexpr size_t kMenuNameLength = 60;
}  // namespace

ListRows BuildListRows(const std::vector<const TTallimoProg*>& entries,
                       const GroupNames& categories) {
  ListRows rows;
  if (categories.Names().empty()) {
    rows.reserve(entries.size());
    for (const TTallimoProg* entry : entries) rows.push_back({entry, entry->Name});
    return rows;
  }
  // Each group's programs in the order given, the groups in the categories' order.
  const size_t groups = categories.Names().size() + 1;
  std::vector<std::vector<const TTallimoProg*>> grouped(groups);
  for (const TTallimoProg* entry : entries)
    grouped[categories.Find(entry->Category)].push_back(entry);
  rows.reserve(entries.size() + groups);
  for (size_t g = 0; g < groups; ++g) {
    if (grouped[g].empty()) continue;
    rows.push_back({nullptr, g < categories.Names().size() ? categories.Names()[g]
                                                           : std::string(kOtherProgramsHeader)});
    for (const TTallimoProg* entry : grouped[g]) rows.push_back({entry, entry->Name});
  }
  return rows;
}

StringList RowTexts(const ListRows& rows, bool namesOnly) {
  StringList texts;
  texts.reserve(rows.size());
  for (const ListRow& row : rows)
    texts.push_back(namesOnly && row.IsHeader() ? std::string() : row.text);
  return texts;
}

namespace {

// The rows of the programs that `row` stands for: itself, or those under its header.
std::pair<size_t, size_t> RowSpan(const ListRows& rows, size_t row) {
  if (row >= rows.size()) return {0, 0};
  if (!rows[row].IsHeader()) return {row, row + 1};
  size_t end = row + 1;
  while (end < rows.size() && !rows[end].IsHeader()) ++end;
  return {row + 1, end};
}

}  // namespace

bool RowMarked(const RuleMarks& marks, const ListRows& rows, size_t row) {
  const auto [begin, end] = RowSpan(rows, row);
  bool any = false;
  for (size_t i = begin; i < end; ++i) {
    if (!marks.Markable(rows[i].entry)) continue;
    if (!marks.IsMarked(rows[i].entry)) return false;
    any = true;
  }
  return any;
}

bool ToggleRowMarks(RuleMarks& marks, const ListRows& rows, size_t row) {
  const auto [begin, end] = RowSpan(rows, row);
  if (begin == end) return true;
  if (!rows[row].IsHeader()) return marks.Toggle(rows[row].entry);
  if (RowMarked(marks, rows, row)) {
    for (size_t i = begin; i < end; ++i) marks.Unmark(rows[i].entry);
    return true;
  }
  std::vector<const TTallimoProg*> programs;
  for (size_t i = begin; i < end; ++i) programs.push_back(rows[i].entry);
  marks.MarkAll(programs);
  return true;
}

void MarkDefaults(RuleMarks& marks, const ListPrograms& programs) {
  std::vector<const TTallimoProg*> defaults;
  for (const TTallimoProg* entry : programs)
    if (entry->Default) defaults.push_back(entry);
  marks.MarkAll(defaults);
}

void MarkPreset(RuleMarks& marks, const ListPrograms& programs, const std::string& preset) {
  marks.Clear();
  std::vector<const TTallimoProg*> chosen;
  for (const TTallimoProg* entry : programs)
    if (HoldsPreset(*entry, preset) && !marks.IsInstalled(entry)) chosen.push_back(entry);
  marks.MarkAll(chosen);
}

StringList PresetMenuCaptions(const StringList& presets) {
  StringList captions;
  captions.reserve(presets.size());
  for (size_t i = 0; i < presets.size(); ++i) {
    std::string caption;
    if (i < 9) caption = {'&', static_cast<char>('1' + i), ' '};
    for (char c : ShortName(presets[i], kMenuNameLength)) {
      if (c == '&') caption += '&';
      caption += c;
    }
    captions.push_back(std::move(caption));
  }
  return captions;
}

}  // namespace tallimo
