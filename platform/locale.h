#pragma once
// The locale seam: case-ignoring comparison, day and month names, the time separator, and
// the system's 8-bit code pages.
#include <optional>
#include <string>
#include <string_view>

#include "platform/text_codec.h"

namespace tallimo {

class Locale {
 public:
  virtual ~Locale() = default;
  // <0, 0, >0 as a orders before, with or after b, ignoring case, in the user's locale.
  virtual int CompareIgnoreCase(const std::string& a, const std::string& b) = 0;
  // A key whose bytes, compared as unsigned bytes, order texts as CompareIgnoreCase does (equal
  // keys for texts that compare equal): computed once a text, it spares a sort of many texts
  // the comparisons pair by pair. nullopt where the locale has no such key for the text; the
  // sort then compares pairs.
  virtual std::optional<std::string> SortKey(const std::string& text) {
    (void)text;
    return std::nullopt;
  }
  // Abbreviated day name, dayOfWeek 0 = Sunday .. 6 = Saturday ("Mon").
  virtual std::string ShortDayName(int dayOfWeek) = 0;
  // Abbreviated month name, month 1 = January .. 12 ("Dec").
  virtual std::string ShortMonthName(int month) = 0;
  virtual std::string TimeSeparator() = 0;
  // The "ANSI" code page of files (Windows-1252 by default; also where the system's is
  // UTF-8) and the OEM code page that the command prompt reads batch files in (437 by default).
  virtual const CodePage& AnsiCodePage() { return Windows1252(); }
  virtual const CodePage& OemCodePage() { return CodePage437(); }
};

// The user's locale on Windows (CompareStringW, GetLocaleInfoW, the system's code pages);
// English names, ":" and a Unicode case-folding comparison natively.
Locale& HostLocale();

// Simple Unicode case folding of Latin, Greek and Cyrillic letters (and ASCII), one character
// for one: what the portable build compares names with.
char32_t FoldCase(char32_t c);
// UTF-8 text with each character folded (what "ignoring case" searches compare).
std::string FoldText(std::string_view utf8);
// <0, 0, >0 comparing the folded characters of two UTF-8 texts.
int CompareFolded(std::string_view a, std::string_view b);

}  // namespace tallimo
