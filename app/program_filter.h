#pragma once
// The filter over the program list: which rows stay for a typed text, and the count that the
// heading band shows while the filter is on.
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"

namespace tallimo {

// How many distinct words a filter text uses: a pasted page must not test each of its words
// against every program.
inline constexpr size_t kFilterWordLimit = 32;
// Beside the count while a text holds more words than that.
inline constexpr const char* kFilterWordsCapped = " (first 32 words used)";

// The words of a filter text, as typed: split at blanks (spaces and tabs), case folded, each
// once, the first kFilterWordLimit distinct ones. Empty for a text of blanks only.
std::vector<std::string> FilterWords(std::string_view text);
// True when `text` holds more distinct words than FilterWords uses.
bool FilterWordsCapped(std::string_view text);

// What the filter searches in an entry: its name, information lines and specs lines,
// case folded, one line apart (so that no word matches across two lines).
std::string FilterHaystack(const TTallimoProg& entry);

// The rows of the whole list, each with the entry it stands for, searched again and again as the
// filter text changes. Built once per refill of the whole list.
class ProgramFilter {
 public:
  // `entries` in the whole list's order (SortedProgramEntries).
  void Build(const std::vector<const TTallimoProg*>& entries);
  const StringList& AllRows() const { return rows_; }
  const TTallimoProg* Entry(size_t row) const { return entries_[row]; }
  // The rows (indices into AllRows) whose entries hold every word of `text`, in the whole list's
  // order; every row for a text without words. When each word of the previous text is part of a
  // word of this one (another letter typed), only the rows the previous text left are tested.
  std::vector<size_t> Matching(std::string_view text);

 private:
  std::vector<std::string> lastWords_;  // the previous text's words, and the rows they left
  std::vector<size_t> lastRows_;
  StringList rows_;
  std::vector<const TTallimoProg*> entries_;
  std::vector<std::string> haystacks_;
};

// The count beside the filter box: "12 of 240 programs", and while programs are marked
// "12 of 240 programs, 3 marked", with ", 1 of them hidden" when the filter hides marked ones.
std::string FilterCountText(int shown, int total, int marked, int markedHidden);

// The Information pane's lines when no program matches `text` (a text longer than 100 bytes cut
// there, at a character's start, and "..." added).
StringList NoMatchInfoLines(const std::string& text);

}  // namespace tallimo
