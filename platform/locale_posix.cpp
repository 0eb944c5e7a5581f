// The locale seam on POSIX hosts: English names, ":" and a Unicode case-folding comparison.
#include <string>

#include "platform/locale.h"

namespace tallimo {

namespace {

class PosixLocale : public Locale {
 public:
  int CompareIgnoreCase(const std::string& a, const std::string& b) override {
    return CompareFolded(a, b);
  }
  std::string ShortDayName(int dayOfWeek) override {
    static const char* const names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return (dayOfWeek >= 0 && dayOfWeek < 7) ? names[dayOfWeek] : "";
  }
  std::string ShortMonthName(int month) override {
    static const char* const names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return (month >= 1 && month <= 12) ? names[month - 1] : "";
  }
  std::string TimeSeparator() override { return ":"; }
};

}  // namespace

Locale& HostLocale() {
  static PosixLocale locale;
  return locale;
}

}  // namespace tallimo
