// The catalogue's date and time text.
#include "catalogue/date_text.h"

#include <gtest/gtest.h>

#include "fakes/fake_locale.h"

namespace tallimo {
namespace {

TEST(DateTimeText, TwelveHourClockWithLocaleNames) {
  testing::FakeLocale locale;
  struct Case {
    LocalTime time;
    const char* text;
  };
  const Case cases[] = {
      {{2026, 12, 7, 1, 15, 6, 0}, "Mon, 7 Dec 2026, 3:06 pm"},
      {{2026, 12, 8, 2, 0, 5, 0}, "Tue, 8 Dec 2026, 12:05 am"},
      {{2027, 1, 31, 0, 12, 0, 59}, "Sun, 31 Jan 2027, 12:00 pm"},
      {{1999, 6, 5, 6, 11, 59, 0}, "Sat, 5 Jun 1999, 11:59 am"},
      {{2000, 2, 29, 2, 23, 30, 0}, "Tue, 29 Feb 2000, 11:30 pm"},
      {{999, 3, 1, 5, 1, 1, 0}, "Fri, 1 Mar 0999, 1:01 am"},
  };
  for (const Case& c : cases) EXPECT_EQ(DateTimeText(c.time, locale), c.text);
  locale.separator.assign(1, '.');  // (a plain "=" trips a false warning of g++ 12)
  EXPECT_EQ(DateTimeText({2026, 12, 7, 1, 15, 6, 0}, locale), "Mon, 7 Dec 2026, 3.06 pm");
}

TEST(DateTimeText, HostLocaleNamesDaysAndMonths) {
  Locale& host = HostLocale();
  for (int d = 0; d < 7; ++d) EXPECT_EQ(host.ShortDayName(d).size(), 3u) << d;
  for (int m = 1; m <= 12; ++m) EXPECT_FALSE(host.ShortMonthName(m).empty()) << m;
#ifndef _WIN32
  EXPECT_EQ(host.ShortDayName(1), "Mon");
  EXPECT_EQ(host.ShortMonthName(12), "Dec");
  EXPECT_EQ(host.TimeSeparator(), ":");
  EXPECT_EQ(host.CompareIgnoreCase("Editor", "eDITOR"), 0);
  EXPECT_LT(host.CompareIgnoreCase("apple", "Banana"), 0);
  EXPECT_GT(host.CompareIgnoreCase("b", "A"), 0);
  EXPECT_LT(host.CompareIgnoreCase("ab", "ABC"), 0);
#endif
}

}  // namespace
}  // namespace tallimo
