#pragma once
// The locale seam: case-ignoring comparison, day and month names, the time separator, and
// the user's 8-bit ("ANSI") code page.
#include <optional>
#include <string>
#include <string_view>

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
  // UTF-16 text in the ANSI code page; a character that the code page lacks becomes "?" and
  // is counted in `unconvertible`. By default the code page is Windows-1252.
  virtual std::string AnsiFromUtf16(std::u16string_view text, size_t& unconvertible);
};

// The user's locale on Windows (CompareStringA, GetLocaleInfoA); English names, ":" and an
// ASCII case-folding comparison natively.
Locale& HostLocale();

}  // namespace tallimo
