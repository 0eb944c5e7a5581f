#include "platform/text_codec.h"

#include <cstdint>
#include <cstring>

namespace tallimo {

namespace {

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// The length of the well-formed sequence at `pos`, 0 when none starts there.
size_t SequenceLength(std::string_view s, size_t pos) {
  const auto c = static_cast<unsigned char>(s[pos]);
  if (c < 0x80) return 1;
  const size_t left = s.size() - pos;
  auto at = [&](size_t i) { return static_cast<unsigned char>(s[pos + i]); };
  if (c >= 0xC2 && c <= 0xDF) return left >= 2 && IsContinuation(at(1)) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    if (left < 3 || !IsContinuation(at(1)) || !IsContinuation(at(2))) return 0;
    if (c == 0xE0 && at(1) < 0xA0) return 0;   // overlong
    if (c == 0xED && at(1) >= 0xA0) return 0;  // a surrogate
    return 3;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    if (left < 4 || !IsContinuation(at(1)) || !IsContinuation(at(2)) || !IsContinuation(at(3)))
      return 0;
    if (c == 0xF0 && at(1) < 0x90) return 0;   // overlong
    if (c == 0xF4 && at(1) >= 0x90) return 0;  // above U+10FFFF
    return 4;
  }
  return 0;
}

// Skips bytes below 0x80, eight at a time.
size_t SkipAscii(std::string_view s, size_t pos) {
  while (pos + 8 <= s.size()) {
    uint64_t word;
    std::memcpy(&word, s.data() + pos, 8);
    if (word & 0x8080808080808080ull) break;
    pos += 8;
  }
  while (pos < s.size() && static_cast<unsigned char>(s[pos]) < 0x80) ++pos;
  return pos;
}

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes, bool* multiByte) {
  bool sawMulti = false;
  size_t pos = 0;
  for (;;) {
    pos = SkipAscii(bytes, pos);
    if (pos == bytes.size()) break;
    const size_t length = SequenceLength(bytes, pos);
    if (length == 0) return false;
    sawMulti = true;
    pos += length;
  }
  if (multiByte) *multiByte = sawMulti;
  return true;
}

char32_t NextCodePoint(std::string_view utf8, size_t& pos) {
  const size_t length = SequenceLength(utf8, pos);
  auto at = [&](size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(utf8[pos + i]));
  };
  char32_t c;
  switch (length) {
    case 1:
      c = at(0);
      break;
    case 2:
      c = (at(0) & 0x1F) << 6 | (at(1) & 0x3F);
      break;
    case 3:
      c = (at(0) & 0x0F) << 12 | (at(1) & 0x3F) << 6 | (at(2) & 0x3F);
      break;
    case 4:
      c = (at(0) & 0x07) << 18 | (at(1) & 0x3F) << 12 | (at(2) & 0x3F) << 6 | (at(3) & 0x3F);
      break;
    default:
      ++pos;
      return kReplacementCharacter;
  }
  pos += length;
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacementCharacter;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Utf8FromUtf16(std::u16string_view utf16, size_t* replaced) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    if (IsHighSurrogate(c) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = kReplacementCharacter;
      if (replaced) ++*replaced;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const char32_t c = NextCodePoint(utf8, pos);
    if (c < 0x10000) {
      out += static_cast<char16_t>(c);
    } else {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

size_t Utf16Length(std::string_view utf8) {
  size_t units = 0;
  for (size_t pos = 0; pos < utf8.size();) units += NextCodePoint(utf8, pos) < 0x10000 ? 1 : 2;
  return units;
}

std::string CharacterAt(std::string_view utf8, size_t pos) {
  if (pos >= utf8.size()) return {};
  const size_t length = SequenceLength(utf8, pos);
  return std::string(utf8.substr(pos, length ? length : 1));
}

namespace {

// A code page of one byte a character whose bytes below 0x80 are ASCII.
class TableCodePage final : public CodePage {
 public:
  explicit TableCodePage(const char16_t (&high)[128]) : high_(high) {}

  std::string ToUtf8(std::string_view bytes) const override {
    const size_t firstHigh = SkipAscii(bytes, 0);
    if (firstHigh == bytes.size()) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    out.append(bytes.substr(0, firstHigh));
    for (size_t i = firstHigh; i < bytes.size(); ++i) {
      const auto b = static_cast<unsigned char>(bytes[i]);
      if (b < 0x80)
        out += static_cast<char>(b);
      else
        AppendUtf8(out, high_[b - 0x80]);
    }
    return out;
  }

  bool FromUtf8(std::string_view utf8, std::string& bytes, size_t* badAt) const override {
    bytes.clear();
    bytes.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
      const size_t ascii = SkipAscii(utf8, pos);
      bytes.append(utf8.substr(pos, ascii - pos));
      pos = ascii;
      if (pos == utf8.size()) break;
      const size_t at = pos;
      const char32_t c = NextCodePoint(utf8, pos);
      const int b = ByteOf(c);
      if (b < 0) {
        if (badAt) *badAt = at;
        return false;
      }
      bytes += static_cast<char>(b);
    }
    return true;
  }

 private:
  int ByteOf(char32_t c) const {
    if (c >= 0x80 && c <= 0xFF && high_[c - 0x80] == c) return static_cast<int>(c);
    for (int i = 0; i < 128; ++i)
      if (high_[i] == c) return 0x80 + i;
    return -1;
  }

  const char16_t (&high_)[128];
};

constexpr char16_t k1252[128] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039,
    0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, 0x00A0, 0x00A1, 0x00A2, 0x00A3,
    0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB,
    0x00BC, 0x00BD, 0x00BE, 0x00BF, 0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3,
    0x00D4, 0x00D5, 0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB,
    0x00EC, 0x00ED, 0x00EE, 0x00EF, 0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF};

constexpr char16_t k437[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

class Utf8Page final : public CodePage {
 public:
  std::string ToUtf8(std::string_view bytes) const override {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    for (size_t pos = 0; pos < bytes.size();) AppendUtf8(out, NextCodePoint(bytes, pos));
    return out;
  }
  bool FromUtf8(std::string_view utf8, std::string& bytes, size_t*) const override {
    bytes.assign(utf8);
    return true;
  }
};

}  // namespace

const CodePage& Windows1252() {
  static const TableCodePage page(k1252);
  return page;
}

const CodePage& CodePage437() {
  static const TableCodePage page(k437);
  return page;
}

const CodePage& Utf8CodePage() {
  static const Utf8Page page;
  return page;
}

}  // namespace tallimo
