#include "app/type_ahead.h"

#include <algorithm>

#include "app/program_filter.h"

namespace tallimo {

namespace {

bool StartsWithFolded(const std::string& name, const std::string& folded) {
  if (name.size() < folded.size()) return false;
  for (size_t i = 0; i < folded.size(); ++i) {
    char c = name[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != folded[i]) return false;
  }
  return true;
}

// The first row from `from` on (wrapping round) whose name starts with `folded`, or -1.
int FindFrom(const StringList& rows, int from, const std::string& folded) {
  const int count = static_cast<int>(rows.size());
  for (int i = 0; i < count; ++i) {
    const int row = (from + i) % count;
    if (StartsWithFolded(rows[static_cast<size_t>(row)], folded)) return row;
  }
  return -1;
}

}  // namespace

TypeAhead::Step TypeAhead::Type(char c, std::uint32_t milliseconds, const StringList& rows,
                                int selected) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u < 0x20 || u == 0x7F) return {};
  // Unsigned difference: right across the tick count's wrap.
  const bool goingOn = !text_.empty() && milliseconds - last_ < kTypeAheadMilliseconds;
  if (c == ' ' && !goingOn) return {};
  last_ = milliseconds;
  const char folded = FoldCase(std::string_view(&c, 1))[0];
  text_ = goingOn ? text_ + folded : std::string(1, folded);
  if (rows.empty()) return {Result::NoMatch, -1};

  const int count = static_cast<int>(rows.size());
  const int next = selected < 0 || selected >= count ? 0 : (selected + 1) % count;
  int row;
  const bool oneLetter =
      std::all_of(text_.begin(), text_.end(), [&](char t) { return t == text_[0]; });
  if (text_.size() == 1 || oneLetter) {
    // A new text, or the same letter again: the next name with that letter.
    row = FindFrom(rows, next, text_.substr(0, 1));
  } else {
    row = FindFrom(rows, selected < 0 || selected >= count ? 0 : selected, text_);
  }
  if (row < 0) return {Result::NoMatch, -1};
  return {Result::Found, row};
}

}  // namespace tallimo
