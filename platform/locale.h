#pragma once
// The locale seam: case-ignoring comparison, day and month names, the time separator.
#include <string>

namespace tallimo {

class Locale {
 public:
  virtual ~Locale() = default;
  // <0, 0, >0 as a orders before, with or after b, ignoring case, in the user's locale.
  virtual int CompareIgnoreCase(const std::string& a, const std::string& b) = 0;
  // Abbreviated day name, dayOfWeek 0 = Sunday .. 6 = Saturday ("Mon").
  virtual std::string ShortDayName(int dayOfWeek) = 0;
  // Abbreviated month name, month 1 = January .. 12 ("Dec").
  virtual std::string ShortMonthName(int month) = 0;
  virtual std::string TimeSeparator() = 0;
};

// The user's locale on Windows (CompareStringA, GetLocaleInfoA); English names, ":" and an
// ASCII case-folding comparison natively.
Locale& HostLocale();

}  // namespace tallimo
