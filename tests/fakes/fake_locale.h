#pragma once
// An English locale: ASCII case-ignoring order, English day and month names, and a time
// separator that a test may change.
#include <cctype>
#include <string>

#include "platform/locale.h"

namespace tallimo::testing {

class FakeLocale : public Locale {
 public:
  std::string separator = ":";
  int CompareIgnoreCase(const std::string& a, const std::string& b) override {
    std::string x = a, y = b;
    for (char& c : x) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : y) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return x.compare(y);
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
