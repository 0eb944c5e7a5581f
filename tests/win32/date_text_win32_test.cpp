// The catalogue's date text with the Windows locale seam, against what the Win32 locale itself
// formats for the same moments; and the clock and comparison seams against the API.
#include <gtest/gtest.h>

#include <cctype>

#include "catalogue/date_text.h"
#include "platform/code_page_win32.h"
#include "platform/locale.h"
#include "win32_test_files.h"

namespace tallimo {
namespace {

SYSTEMTIME Moment(int year, int month, int day, int hour, int minute) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = static_cast<WORD>(minute);
  // A round trip through FILETIME fills in the day of the week.
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  FileTimeToSystemTime(&ft, &st);
  return st;
}

LocalTime FromSystemTime(const SYSTEMTIME& st) {
  LocalTime t;
  t.year = st.wYear;
  t.month = st.wMonth;
  t.day = st.wDay;
  t.dayOfWeek = st.wDayOfWeek;
  t.hour = st.wHour;
  t.minute = st.wMinute;
  t.second = st.wSecond;
  return t;
}

std::string DatePart(const SYSTEMTIME& st, const char* picture) {
  char buffer[128];
  int n = GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, picture, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, n - 1) : "<GetDateFormatA failed>";
}

std::string TimePart(const SYSTEMTIME& st, DWORD flags, const char* picture) {
  char buffer[128];
  int n = GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &st, picture, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, n - 1) : "<GetTimeFormatA failed>";
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The locale's separator between hours and minutes, as its own short time format shows it.
std::string SeparatorOfLocaleTime() {
  std::string t = TimePart(Moment(2026, 12, 7, 15, 6), TIME_NOSECONDS | TIME_NOTIMEMARKER, nullptr);
  size_t hourEnd = t.find_first_not_of("0123456789", t.find_first_of("0123456789"));
  size_t minuteStart = t.find_first_of("0123456789", hourEnd);
  if (hourEnd == std::string::npos || minuteStart == std::string::npos) return "<" + t + ">";
  return t.substr(hourEnd, minuteStart - hourEnd);
}

TEST(DateTextWin32, MatchesTheWindowsLocale) {
  const SYSTEMTIME moments[] = {
      Moment(2026, 12, 7, 15, 6),   Moment(2026, 12, 8, 0, 5),    Moment(2026, 1, 1, 12, 0),
      Moment(2026, 2, 28, 11, 59),  Moment(2026, 3, 15, 23, 59),  Moment(2026, 4, 5, 13, 0),
      Moment(2026, 5, 9, 0, 0),     Moment(2026, 6, 10, 9, 30),   Moment(2026, 7, 11, 12, 1),
      Moment(2026, 8, 12, 1, 10),   Moment(2026, 9, 13, 22, 45),  Moment(2026, 10, 14, 10, 10),
      Moment(2026, 11, 15, 18, 20), Moment(1999, 12, 31, 23, 58), Moment(2000, 2, 29, 6, 7),
  };
  const std::string separator = SeparatorOfLocaleTime();
  EXPECT_EQ(HostLocale().TimeSeparator(), separator);
  // Our am/pm is fixed lower-case text; compare it where the locale's markers are AM and PM.
  const bool englishMarkers = Lower(TimePart(Moment(2026, 1, 1, 9, 0), 0, "tt")) == "am" &&
                              Lower(TimePart(Moment(2026, 1, 1, 21, 0), 0, "tt")) == "pm";
  for (const SYSTEMTIME& st : moments) {
    // "h" is the 12-hour clock of the locale: 12 at midnight and at noon.
    std::string expected = DatePart(st, "ddd") + ", " + DatePart(st, "d") + " " +
                           DatePart(st, "MMM") + " " + DatePart(st, "yyyy") + ", " +
                           TimePart(st, 0, "h") + separator + TimePart(st, 0, "mm") + " ";
    std::string text = DateTimeText(FromSystemTime(st), HostLocale());
    SCOPED_TRACE(expected);
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text.substr(0, text.size() - 2), expected);
    const std::string marker = text.substr(text.size() - 2);
    EXPECT_EQ(marker, st.wHour < 12 ? "am" : "pm");
    if (englishMarkers) {
      EXPECT_EQ(marker, Lower(TimePart(st, 0, "tt")));
    }
  }
}

TEST(DateTextWin32, DayAndMonthNamesComeFromTheLocale) {
  // 6 to 12 December 2026 run from Sunday to Saturday.
  for (int day = 6; day <= 12; ++day) {
    SYSTEMTIME st = Moment(2026, 12, day, 8, 0);
    EXPECT_EQ(HostLocale().ShortDayName(st.wDayOfWeek), DatePart(st, "ddd")) << day;
  }
  for (int month = 1; month <= 12; ++month)
    EXPECT_EQ(HostLocale().ShortMonthName(month), DatePart(Moment(2026, month, 1, 8, 0), "MMM"));
  EXPECT_EQ(HostLocale().ShortDayName(7), "");
  EXPECT_EQ(HostLocale().ShortMonthName(0), "");
  EXPECT_EQ(HostLocale().ShortMonthName(13), "");
}

TEST(DateTextWin32, InAnEnglishLocaleTheTextIsTheCatalogueForm) {
  char language[64] = "";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, language, sizeof language);
  if (std::string(language) != "English") GTEST_SKIP() << "user locale is " << language;
  EXPECT_EQ(DateTimeText(FromSystemTime(Moment(2026, 12, 7, 15, 6)), HostLocale()),
            "Mon, 7 Dec 2026, 3:06 pm");
  EXPECT_EQ(DateTimeText(FromSystemTime(Moment(2026, 12, 8, 0, 5)), HostLocale()),
            "Tue, 8 Dec 2026, 12:05 am");
  EXPECT_EQ(DateTimeText(FromSystemTime(Moment(2026, 12, 8, 12, 0)), HostLocale()),
            "Tue, 8 Dec 2026, 12:00 pm");
}

TEST(ClockWin32, NowIsTheLocalTime) {
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  LocalTime now = HostClock().Now();
  GetLocalTime(&after);
  // Unless a minute turned over between the calls, all fields agree with GetLocalTime.
  if (before.wMinute != after.wMinute) GTEST_SKIP() << "the minute turned over";
  EXPECT_EQ(now.year, after.wYear);
  EXPECT_EQ(now.month, after.wMonth);
  EXPECT_EQ(now.day, after.wDay);
  EXPECT_EQ(now.dayOfWeek, after.wDayOfWeek);
  EXPECT_EQ(now.hour, after.wHour);
  EXPECT_EQ(now.minute, after.wMinute);
  // The seam's day of the week counts from Sunday, like the date's own.
  EXPECT_EQ(now.dayOfWeek, Moment(now.year, now.month, now.day, 0, 0).wDayOfWeek);
}

TEST(LocaleWin32, ComparesIgnoringCaseInTheUserLocale) {
  Locale& locale = HostLocale();
  EXPECT_EQ(locale.CompareIgnoreCase("Picture Viewer", "PICTURE viewer"), 0);
  EXPECT_LT(locale.CompareIgnoreCase("apple", "Banana"), 0);  // not the byte order
  EXPECT_GT(locale.CompareIgnoreCase("Cherry", "banana"), 0);
  EXPECT_LT(locale.CompareIgnoreCase("Tool", "Toolbox"), 0);
  EXPECT_EQ(locale.CompareIgnoreCase("", ""), 0);
  EXPECT_LT(locale.CompareIgnoreCase("", "a"), 0);
  // Texts with a zero byte are compared in full.
  EXPECT_GT(locale.CompareIgnoreCase(std::string("a\0b", 3), "a"), 0);
  // Unicode case, whatever the ANSI code page: Latin, Greek, Cyrillic.
  EXPECT_EQ(locale.CompareIgnoreCase("\u00C9t\u00E9", "\u00E9T\u00C9"), 0);
  EXPECT_EQ(locale.CompareIgnoreCase("\u0395\u03BB\u03BB\u03AC\u03B4\u03B1",
                                     "\u0395\u039B\u039B\u0386\u0394\u0391"),
            0);
  EXPECT_EQ(locale.CompareIgnoreCase("\u041A\u0438\u0440\u0438\u043B\u043B\u0438\u0446\u0430",
                                     "\u043A\u0418\u0420\u0418\u041B\u041B\u0418\u0426\u0410"),
            0);
  EXPECT_NE(locale.CompareIgnoreCase("\u0395\u03BB", "\u0395\u03BE"), 0);
  EXPECT_LT(locale.CompareIgnoreCase("\u00C9cole", "Zebra"), 0);  // not the code point order
  // A long text does not fit the buffer on the stack.
  const std::string longName(600, 'a');
  EXPECT_EQ(locale.CompareIgnoreCase(longName + "\u00E9", longName + "\u00C9"), 0);
}

// The portable tables are the system's own: every byte of 1252 and 437 reads as the same
// character both ways, and converting to the code page refuses what it lacks, with no best fit.
TEST(LocaleWin32, CodePagesAgreeWithThePortableTables) {
  struct Pair {
    const CodePage& system;
    const CodePage& portable;
  };
  for (const Pair& p :
       {Pair{SystemCodePage(1252), Windows1252()}, Pair{SystemCodePage(437), CodePage437()}}) {
    for (int b = 1; b < 256; ++b) {
      const std::string byte(1, static_cast<char>(b));
      EXPECT_EQ(p.system.ToUtf8(byte), p.portable.ToUtf8(byte)) << b;
    }
    for (const char* text : {"\u0142", "\u0141\u00F3d\u017A", "\u65E5", "\U0001F600", "\u2264"}) {
      std::string a, b;
      size_t atA = 99, atB = 99;
      EXPECT_EQ(p.system.FromUtf8(text, a, &atA), p.portable.FromUtf8(text, b, &atB)) << text;
      if (atA != 99 || atB != 99) {
        EXPECT_EQ(atA, atB) << text;
      }
    }
  }
  std::string bytes;
  size_t badAt = 0;
  EXPECT_FALSE(SystemCodePage(1252).FromUtf8("Caf\u00E9 \u0142\u00F3d\u017A", bytes, &badAt));
  EXPECT_EQ(badAt, 6u);  // "ł", not a best-fit "l"
  EXPECT_TRUE(SystemCodePage(437).FromUtf8("Caf\u00E9", bytes));
  EXPECT_EQ(bytes, "Caf\x82");
}

}  // namespace
}  // namespace tallimo
