// The locale seam's default code page: Windows-1252, as a Western Windows has it.
#include "platform/locale.h"

namespace tallimo {

namespace {

// The characters of bytes 0x80 to 0x9F in Windows-1252 (0 where the byte is unassigned);
// every other byte stands for the character of its own number.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int Cp1252Byte(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == c) return 0x80 + i;
  return -1;
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

std::string Locale::AnsiFromUtf16(std::u16string_view text, size_t& unconvertible) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const int b = Cp1252Byte(text[i]);
    if (b >= 0) {
      out += static_cast<char>(b);
      continue;
    }
    // A pair of surrogates is one character.
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
    out += '?';
    ++unconvertible;
  }
  return out;
}

}  // namespace tallimo
