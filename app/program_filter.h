#pragma once
// The filter over the program list: which rows stay for a typed text, and the count that the
// heading band shows while the filter is on.
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"

namespace tallimo {

// The words of a filter text, as typed: split at blanks (spaces and tabs), case folded. Empty for
// a text of blanks only.
std::vector<std::string> FilterWords(std::string_view text);

// What the filter searches in an entry: its name, information lines and specs lines,
// case folded, one line apart (so that no word matches across two lines).
std::string FilterHaystack(const TTallimoProg& entry);

// True when `haystack` (FilterHaystack) holds every one of `words` (FilterWords).
bool HaystackMatches(std::string_view haystack, const std::vector<std::string>& words);

// The rows of the whole list, each with the entry it stands for, searched again and again as the
// filter text changes. Built once per refill of the whole list.
class ProgramFilter {
 public:
  // `entries` in the whole list's order (SortedProgramEntries).
  void Build(const std::vector<const TTallimoProg*>& entries);
  const StringList& AllRows() const { return rows_; }
  const TTallimoProg* Entry(size_t row) const { return entries_[row]; }
  // The rows (indices into AllRows) whose entries hold every word of `text`, in the whole list's
  // order; every row for a text without words.
  std::vector<size_t> Matching(std::string_view text) const;

 private:
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
