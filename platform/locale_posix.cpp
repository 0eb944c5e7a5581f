// The locale seam on POSIX hosts: English names, ":" and an ASCII case-folding comparison.
#include <string>

#include "platform/locale.h"

namespace tallimo {

namespace {

unsigned char Fold(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

class PosixLocale : public Locale {
 public:
  int CompareIgnoreCase(const std::string& a, const std::string& b) override {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
      unsigned char x = Fold(a[i]), y = Fold(b[i]);
      if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
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
