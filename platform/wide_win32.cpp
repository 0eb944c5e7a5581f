// UTF-8 <-> UTF-16 at the Win32 boundary, through the system's converter.
#include <windows.h>

#include <cwchar>

#include "platform/wide.h"

namespace tallimo {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  if (units <= 0) return {};
  std::wstring out(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), units);
  return out;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int size = static_cast<int>(utf16.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, out.data(), bytes, nullptr, nullptr);
  return out;
}

std::string Narrow(const wchar_t* utf16, int length) {
  if (utf16 == nullptr) return {};
  const size_t units = length < 0 ? std::wcslen(utf16) : static_cast<size_t>(length);
  return Narrow(std::wstring_view(utf16, units));
}

}  // namespace tallimo
