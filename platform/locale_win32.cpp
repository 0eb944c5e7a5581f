// The locale seam on Windows: the user's locale.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/locale.h"
#include "platform/wide.h"

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

  // The sort key of the comparison above (NORM_IGNORECASE), which orders as CompareString does.
  std::optional<std::string> SortKey(const std::string& text) override {
    const std::wstring wide = Widen(text);
    if (wide.empty() || wide.size() > 0x7FFFFFF) return std::nullopt;
    const int length = static_cast<int>(wide.size());
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    // A key is seldom longer than a few bytes a character: one call in most cases.
    std::string key(wide.size() * 6 + 16, '\0');
    int bytes = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.data(), length,
                             reinterpret_cast<wchar_t*>(key.data()), static_cast<int>(key.size()));
    if (bytes <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
      bytes = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.data(), length, nullptr, 0);
      if (bytes <= 0) return std::nullopt;
      key.assign(static_cast<size_t>(bytes), '\0');
      bytes = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.data(), length,
                           reinterpret_cast<wchar_t*>(key.data()), bytes);
    }
    if (bytes <= 0) return std::nullopt;
    key.resize(static_cast<size_t>(bytes) - 1);  // without its terminating zero byte
    return key;
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

  // No best-fit letters: a character that the code page lacks reads as "?".
  std::string AnsiFromUtf16(std::u16string_view text, size_t& unconvertible) override {
    std::string out;
    size_t done = 0;
    while (done < text.size()) {
      const int chunk = static_cast<int>(std::min<size_t>(text.size() - done, 1u << 24));
      const auto* wide = reinterpret_cast<const wchar_t*>(text.data() + done);
      const int length =
          WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, chunk, nullptr, 0, "?", nullptr);
      if (length <= 0) break;
      const size_t at = out.size();
      out.resize(at + static_cast<size_t>(length));
      BOOL usedDefault = FALSE;
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, chunk, out.data() + at, length, "?",
                          &usedDefault);
      if (usedDefault) {
        // Each replacement is a "?" that the text did not have.
        const auto given = std::count(text.begin() + static_cast<ptrdiff_t>(done),
                                      text.begin() + static_cast<ptrdiff_t>(done) + chunk, u'?');
        const auto made = std::count(out.begin() + static_cast<ptrdiff_t>(at), out.end(), '?');
        if (made > given) unconvertible += static_cast<size_t>(made - given);
      }
      done += static_cast<size_t>(chunk);
    }
    return out;
  }
};

}  // namespace

Locale& HostLocale() {
  static Win32Locale locale;
  return locale;
}

}  // namespace tallimo
