#include "app/program_list.h"

#include <algorithm>
#include <vector>

namespace tallimo {

std::vector<const TTallimoProg*> SortedProgramEntries(const TProgramList& list, Locale& locale) {
  // Sort keys computed once a name, where the locale has them, rather than comparisons pair by
  // pair; one sort either way.
  std::vector<std::string> keys;
  keys.reserve(list.size());
  for (const auto& entry : list) {
    std::optional<std::string> key = locale.SortKey(entry->Name);
    if (!key) break;
    keys.push_back(std::move(*key));
  }
  const bool byKeys = keys.size() == list.size();
  const auto order = [&](size_t a, size_t b) {
    return byKeys ? keys[a].compare(keys[b])
                  : locale.CompareIgnoreCase(list[a]->Name, list[b]->Name);
  };
  std::vector<size_t> positions(list.size());
  for (size_t i = 0; i < positions.size(); ++i) positions[i] = i;
  // A stable sort keeps names that compare equal in catalogue order, so dropping all but the
  // first of each run keeps the first in catalogue order.
  std::stable_sort(positions.begin(), positions.end(),
                   [&](size_t a, size_t b) { return order(a, b) < 0; });
  std::vector<const TTallimoProg*> entries;
  entries.reserve(positions.size());
  size_t last = 0;
  for (size_t i = 0; i < positions.size(); ++i) {
    if (i > 0 && order(last, positions[i]) == 0) continue;
    last = positions[i];
    entries.push_back(list[last].get());
  }
  return entries;
}

StringList SortedProgramNames(const TProgramList& list, Locale& locale) {
  StringList rows;
  for (const TTallimoProg* entry : SortedProgramEntries(list, locale)) rows.push_back(entry->Name);
  return rows;
}

StringList ProgramListRows(const TProgramList& list, Locale& locale) {
  StringList rows = SortedProgramNames(list, locale);
  if (rows.empty()) rows.emplace_back();
  return rows;
}

int FindProgramIndex(const TProgramList& list, const std::string& name) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i]->Name == name) return static_cast<int>(i);
  }
  return -1;
}

bool HasSelection(int selectionTopRow, bool warn, Prompter& prompter) {
  const bool selected = selectionTopRow >= 0;
  if (!selected && warn) prompter.MessageDlg(kNoSelectionWarning, TMsgDlgType::mtWarning);
  return selected;
}

std::optional<int> SelectedDetailsIndex(const TProgramList& list, const std::string& cellText) {
  if (list.empty()) return std::nullopt;
  return FindProgramIndex(list, cellText);
}

void ProgramMarks::SetMarked(const TTallimoProg* entry, bool marked) {
  if (!entry) return;
  if (marked)
    marked_.insert(entry);
  else
    marked_.erase(entry);
}

void ProgramMarks::KeepOnly(const TProgramList& list) {
  if (marked_.empty()) return;
  std::set<const TTallimoProg*> present;
  for (const auto& entry : list)
    if (marked_.count(entry.get())) present.insert(entry.get());
  marked_.swap(present);
}

std::string ListHeading(int markedCount) {
  if (markedCount <= 0) return "&Select a Program to Install";
  return "&Select Programs to Install: " + std::to_string(markedCount) + " marked";
}

}  // namespace tallimo
