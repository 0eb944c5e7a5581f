// The locale seam on Windows: the user's locale.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/locale.h"

namespace tallimo {
namespace {

std::string LocaleText(LCTYPE type) {
  char buffer[128];
  int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return length > 0 ? std::string(buffer, static_cast<size_t>(length - 1)) : std::string();
}

class Win32Locale final : public Locale {
 public:
  int CompareIgnoreCase(const std::string& a, const std::string& b) override {
    // CompareStringA takes int lengths; catalogue texts are far below that.
    const int result =
        CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                       static_cast<int>(std::min<size_t>(a.size(), 0x7FFFFFFF)), b.data(),
                       static_cast<int>(std::min<size_t>(b.size(), 0x7FFFFFFF)));
    if (result != 0) return result - CSTR_EQUAL;
    // Only on an API failure: keep an order rather than call everything equal.
    const int fallback = lstrcmpiA(a.c_str(), b.c_str());
    return fallback < 0 ? -1 : (fallback > 0 ? 1 : 0);
  }

  // The API counts days from Monday (LOCALE_SABBREVDAYNAME1); ours from Sunday.
  std::string ShortDayName(int dayOfWeek) override {
    if (dayOfWeek < 0 || dayOfWeek > 6) return std::string();
    const int fromMonday = (dayOfWeek + 6) % 7;
    return LocaleText(LOCALE_SABBREVDAYNAME1 + fromMonday);
  }

  std::string ShortMonthName(int month) override {
    if (month < 1 || month > 12) return std::string();
    return LocaleText(LOCALE_SABBREVMONTHNAME1 + (month - 1));
  }

  std::string TimeSeparator() override { return LocaleText(LOCALE_STIME); }
};

}  // namespace

Locale& HostLocale() {
  static Win32Locale locale;
  return locale;
}

}  // namespace tallimo
