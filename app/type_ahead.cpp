#include "app/type_ahead.h"

#include <algorithm>

#include "platform/locale.h"
#include "platform/text_codec.h"

namespace tallimo {

namespace {

bool StartsWithFolded(const std::string& name, const std::u32string& folded) {
  size_t at = 0;
  for (const char32_t f : folded)
    if (at >= name.size() || FoldCase(NextCodePoint(name, at)) != f) return false;
  return true;
}

// The first row from `from` on (wrapping round) whose name starts with `folded`, or -1.
int FindFrom(const StringList& rows, int from, const std::u32string& folded) {
  const int count = static_cast<int>(rows.size());
  for (int i = 0; i < count; ++i) {
    const int row = (from + i) % count;
    if (StartsWithFolded(rows[static_cast<size_t>(row)], folded)) return row;
  }
  return -1;
}

}  // namespace

TypeAhead::Step TypeAhead::Type(char32_t c, std::uint32_t milliseconds, const StringList& rows,
                                int selected) {
  if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) return {};
  // Unsigned difference: right across the tick count's wrap.
  const bool goingOn = !text_.empty() && milliseconds - last_ < kTypeAheadMilliseconds;
  if (c == U' ' && !goingOn) return {};
  last_ = milliseconds;
  const char32_t folded = FoldCase(c);
  text_ = goingOn ? text_ + folded : std::u32string(1, folded);
  if (rows.empty()) return {Result::NoMatch, -1};

  const int count = static_cast<int>(rows.size());
  const int next = selected < 0 || selected >= count ? 0 : (selected + 1) % count;
  int row;
  const bool oneLetter =
      std::all_of(text_.begin(), text_.end(), [&](char32_t t) { return t == text_[0]; });
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
