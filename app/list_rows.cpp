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

bool RowMarked(const ProgramMarks& marks, const ListRows& rows, size_t row) {
  const auto [begin, end] = RowSpan(rows, row);
  for (size_t i = begin; i < end; ++i)
    if (!marks.IsMarked(rows[i].entry)) return false;
  return begin < end;
}

void ToggleRowMarks(ProgramMarks& marks, const ListRows& rows, size_t row) {
  const bool mark = !RowMarked(marks, rows, row);
  const auto [begin, end] = RowSpan(rows, row);
  for (size_t i = begin; i < end; ++i) marks.SetMarked(rows[i].entry, mark);
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
