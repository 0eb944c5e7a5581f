#include "app/rule_marks.h"

namespace tallimo {

bool RuleMarks::Markable(const TTallimoProg* entry) const {
  const size_t i = rules_.IndexOf(entry);
  return i < rules_.Size() && rules_.Applicable(i);
}

bool RuleMarks::Toggle(const TTallimoProg* entry) {
  if (IsMarked(entry)) {
    Unmark(entry);
    return true;
  }
  if (!Markable(entry)) return false;
  Mark(entry);
  return true;
}

void RuleMarks::Mark(const TTallimoProg* entry) {
  const size_t i = rules_.IndexOf(entry);
  if (i == rules_.Size()) return;
  Apply(MarkProgram(
      rules_, i, [this](size_t k) { return marks_.IsMarked(&rules_.Entry(k)); },
      [this](size_t k) { return installed_.IsMarked(&rules_.Entry(k)); }));
}

void RuleMarks::Unmark(const TTallimoProg* entry) {
  const size_t i = rules_.IndexOf(entry);
  if (i == rules_.Size()) return marks_.SetMarked(entry, false);
  Apply(UnmarkProgram(rules_, i, [this](size_t k) { return marks_.IsMarked(&rules_.Entry(k)); }));
}

void RuleMarks::MarkAll(const std::vector<const TTallimoProg*>& entries) {
  std::vector<size_t> indices;
  indices.reserve(entries.size());
  for (const TTallimoProg* entry : entries)
    if (size_t i = rules_.IndexOf(entry); i < rules_.Size()) indices.push_back(i);
  auto installed = [this](size_t k) { return installed_.IsMarked(&rules_.Entry(k)); };
  for (size_t i : SelectPrograms(rules_, std::move(indices), installed))
    if (!marks_.IsMarked(&rules_.Entry(i))) Mark(&rules_.Entry(i));
}

void RuleMarks::Apply(const MarkChange& change) {
  for (size_t i : change.unmarked) marks_.SetMarked(&rules_.Entry(i), false);
  for (size_t i : change.marked) marks_.SetMarked(&rules_.Entry(i), true);
}

}  // namespace tallimo
