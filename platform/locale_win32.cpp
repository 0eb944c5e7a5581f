// The locale seam on Windows: the user's locale and the system's code pages.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/code_page_win32.h"
#include "platform/locale.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

std::string LocaleText(LCTYPE type) {
  wchar_t buffer[128];
  int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128);
  return length > 0 ? Narrow(buffer, length - 1) : std::string();
}

// UTF-8 text as UTF-16 for a call, on the stack when it is short (names are).
class WideArg {
 public:
  explicit WideArg(const std::string& text) {
    const int size = static_cast<int>(std::min<size_t>(text.size(), 0x7FFFFFFF));
    length_ = size ? MultiByteToWideChar(CP_UTF8, 0, text.data(), size, small_, kSmall) : 0;
    if (size && length_ == 0) {
      heap_ = Widen(std::string_view(text.data(), static_cast<size_t>(size)));
      length_ = static_cast<int>(heap_.size());
    }
  }
  const wchar_t* data() const { return heap_.empty() ? small_ : heap_.c_str(); }
  int size() const { return length_; }

 private:
  static constexpr int kSmall = 256;
  wchar_t small_[kSmall];
  std::wstring heap_;
  int length_ = 0;
};

class Win32Locale final : public Locale {
 public:
  int CompareIgnoreCase(const std::string& a, const std::string& b) override {
    const WideArg x(a), y(b);
    const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, x.data(), x.size(),
                                      y.data(), y.size());
    if (result != 0) return result - CSTR_EQUAL;
    // Only on an API failure: keep an order rather than call everything equal.
    return CompareFolded(a, b);
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

  // Where the ANSI code page is UTF-8 itself (an option of newer systems), files without a
  // mark of their own are Windows-1252, as they are on a Western system.
  const CodePage& AnsiCodePage() override {
    return SystemCodePage(GetACP() == CP_UTF8 ? 1252 : CP_ACP);
  }
  // A console whose code page is UTF-8 reads batch files in UTF-8.
  const CodePage& OemCodePage() override {
    return GetOEMCP() == CP_UTF8 ? Utf8CodePage() : SystemCodePage(CP_OEMCP);
  }
};

}  // namespace

Locale& HostLocale() {
  static Win32Locale locale;
  return locale;
}

}  // namespace tallimo
