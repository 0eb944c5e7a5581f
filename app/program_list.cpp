#include "app/program_list.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tallimo {

namespace {

// The rows by sort keys, computed once a name; false (rows untouched) when the locale gives no
// key for some name.
bool SortByKeys(const TProgramList& list, Locale& locale, StringList& rows) {
  std::vector<std::pair<std::string, const std::string*>> keyed;
  keyed.reserve(list.size());
  for (const auto& entry : list) {
    std::optional<std::string> key = locale.SortKey(entry->Name);
    if (!key) return false;
    keyed.emplace_back(std::move(*key), &entry->Name);
  }
  // Stable, so that of names with equal keys the first in catalogue order comes first.
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  rows.reserve(keyed.size());
  const std::string* lastKey = nullptr;
  for (const auto& [key, name] : keyed) {
    if (lastKey && *lastKey == key) continue;
    rows.push_back(*name);
    lastKey = &key;
  }
  return true;
}

}  // namespace

StringList SortedProgramNames(const TProgramList& list, Locale& locale) {
  StringList rows;
  if (SortByKeys(list, locale, rows)) return rows;
  std::vector<const std::string*> names;
  names.reserve(list.size());
  for (const auto& entry : list) names.push_back(&entry->Name);
  // A stable sort keeps names that compare equal in catalogue order, so dropping all but the
  // first of each run keeps the first in catalogue order.
  std::stable_sort(names.begin(), names.end(), [&](const std::string* a, const std::string* b) {
    return locale.CompareIgnoreCase(*a, *b) < 0;
  });
  rows.reserve(names.size());
  for (const std::string* name : names) {
    if (!rows.empty() && locale.CompareIgnoreCase(rows.back(), *name) == 0) continue;
    rows.push_back(*name);
  }
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
