#pragma once
// An English locale: the portable case folding's order, English day and month names, and a time
// separator that a test may change.
#include <string>

#include "platform/locale.h"

namespace tallimo::testing {

class FakeLocale : public Locale {
 public:
  std::string separator = ":";
  int CompareIgnoreCase(const std::string& a, const std::string& b) override {
    return CompareFolded(a, b);
  }
  std::string ShortDayName(int d) override {
    static const char* const n[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return n[d];
  }
  std::string ShortMonthName(int m) override {
    static const char* const n[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return n[m - 1];
  }
  std::string TimeSeparator() override { return separator; }
};

}  // namespace tallimo::testing
