// Case folding for the portable build: the letters of the Latin, Greek and Cyrillic scripts.
#include "platform/locale.h"

namespace tallimo {

namespace {

// Upper case at even code points and lower case at the odd one after (or the other way round).
char32_t FoldPair(char32_t c, bool upperEven) {
  return (c % 2 == 0) == upperEven ? c + 1 : c;
}

char32_t FoldLatin(char32_t c) {
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c < 0x100) return c;
  if (c == 0x130) return 'i';  // dotted capital I
  if (c == 0x178) return 0xFF;
  if (c == 0x17F) return 's';  // long s
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return FoldPair(c, true);
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return FoldPair(c, false);
  if (c >= 0x1CD && c <= 0x1DC) return FoldPair(c, false);
  if ((c >= 0x1DE && c <= 0x1EF) || (c >= 0x1F8 && c <= 0x21F) || (c >= 0x222 && c <= 0x233))
    return FoldPair(c, true);
  if (c >= 0x1E00 && c <= 0x1EFF && !(c >= 0x1E96 && c <= 0x1E9F)) return FoldPair(c, true);
  if (c == 0x1E9E) return 0xDF;  // capital sharp s
  return c;
}

char32_t FoldGreek(char32_t c) {
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 0x25;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 0x3F;
  if (c == 0x3C2) return 0x3C3;  // final sigma
  if (c >= 0x3D8 && c <= 0x3EF) return FoldPair(c, true);
  return c;
}

char32_t FoldCyrillic(char32_t c) {
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c == 0x4C0) return 0x4CF;
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
    return FoldPair(c, true);
  if (c >= 0x4C1 && c <= 0x4CE) return FoldPair(c, false);
  return c;
}

}  // namespace

char32_t FoldCase(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
  if (c < 0x370 || (c >= 0x1E00 && c <= 0x1EFF)) return FoldLatin(c);
  if (c < 0x400) return FoldGreek(c);
  if (c < 0x530) return FoldCyrillic(c);
  return c;
}

std::string FoldText(std::string_view utf8) {
  std::string folded;
  folded.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {  // most text is ASCII: no decoding
      folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 0x20 : c);
      ++i;
    } else {
      AppendUtf8(folded, FoldCase(NextCodePoint(utf8, i)));
    }
  }
  return folded;
}

int CompareFolded(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const char32_t x = FoldCase(NextCodePoint(a, i)), y = FoldCase(NextCodePoint(b, j));
    if (x != y) return x < y ? -1 : 1;
  }
  if (i == a.size() && j == b.size()) return 0;
  return i == a.size() ? -1 : 1;
}

}  // namespace tallimo
