#pragma once
// The one place where text crosses the Win32 boundary: inside the program text is UTF-8 in
// std::string; the W functions of Win32 take and give UTF-16 in std::wstring.
#include <string>
#include <string_view>

namespace tallimo {

// UTF-8 to UTF-16. Text inside the program is valid UTF-8; a stray byte is replaced by the
// system (with U+FFFD, or dropped on older systems).
std::wstring Widen(std::string_view utf8);
// UTF-16 to UTF-8. A lone surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view utf16);
// The first `length` units of a buffer that a W function filled (or up to its terminator when
// `length` is -1).
std::string Narrow(const wchar_t* utf16, int length = -1);

}  // namespace tallimo
