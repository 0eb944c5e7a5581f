#pragma once
// Find as you type in the program list: typed characters select the row whose name starts with
// the text typed, as every Windows list does.
#include <cstdint>
#include <string>

#include "catalogue/catalogue.h"

namespace tallimo {

// Characters further apart than this start a new text.
inline constexpr std::uint32_t kTypeAheadMilliseconds = 1000;

class TypeAhead {
 public:
  enum class Result {
    NotUsed,  // not find-as-you-type's key (a control character, or Space on its own)
    Found,    // `row` is the row to select
    NoMatch,  // no name starts with the text: the selection stays
  };
  struct Step {
    Result result = Result::NotUsed;
    int row = -1;
  };

  // The character `c` typed at `milliseconds` (a tick count that may wrap) over the list's
  // `rows`, with `selected` the selected row (-1 for none). The first character searches from
  // the row after the selected one, wrapping round; a character within a second of the last
  // adds to the text and searches from the selected row itself; a letter typed again and again
  // steps through the names that start with it. Space belongs to the text only within a second
  // of a typed character.
  Step Type(char32_t c, std::uint32_t milliseconds, const StringList& rows, int selected);
  // Forgets the text (the list was refilled).
  void Reset() { text_.clear(); }

 private:
  std::u32string text_;  // case folded
  std::uint32_t last_ = 0;
};

}  // namespace tallimo
