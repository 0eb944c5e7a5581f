// Text conversions: UTF-8 validation, UTF-16, the code page tables and Unicode case folding.
#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include "platform/locale.h"

namespace tallimo {
namespace {

TEST(TextCodec, Utf8Validation) {
  struct Case {
    std::string bytes;
    bool valid, multiByte;
  };
  const Case cases[] = {
      {"", true, false},
      {"plain text that is longer than eight bytes", true, false},
      {"0123456789abcdef\xC3\xA9", true, true},
      {"\xE2\x82\xAC", true, true},
      {"\xF0\x9F\x98\x80", true, true},
      {"\xF4\x8F\xBF\xBF", true, true},    // U+10FFFF
      {"\xF4\x90\x80\x80", false, false},  // beyond it
      {"\xC0\x80", false, false},          // overlong zero
      {"\xE0\x9F\xBF", false, false},      // overlong
      {"\xED\xA0\x80", false, false},      // a surrogate
      {"\xC3", false, false},
      {"\x80", false, false},
      {"\xFF", false, false},
      {"abc\xC3\xA9\xC3", false, false},
  };
  for (const Case& c : cases) {
    bool multiByte = false;
    EXPECT_EQ(IsValidUtf8(c.bytes, &multiByte), c.valid) << c.bytes;
    if (c.valid) {
      EXPECT_EQ(multiByte, c.multiByte) << c.bytes;
    }
  }
}

TEST(TextCodec, Utf16BothWays) {
  EXPECT_EQ(Utf8FromUtf16(u"Caf\u00E9 \u20AC \U0001F600"), "Caf\u00E9 \u20AC \U0001F600");
  EXPECT_EQ(Utf16FromUtf8("Caf\u00E9 \U0001F600"), u"Caf\u00E9 \U0001F600");
  size_t replaced = 0;
  EXPECT_EQ(Utf8FromUtf16(u"a\xD800"
                          u"b\xDC00",
                          &replaced),
            "a\uFFFDb\uFFFD");
  EXPECT_EQ(replaced, 2u);
  EXPECT_EQ(Utf16FromUtf8("a\xFF"), u"a\uFFFD");
  EXPECT_EQ(Utf16Length("Caf\u00E9"), 4u);
  EXPECT_EQ(Utf16Length("\U0001F600\u65E5"), 3u);
}

// Every byte of both tables reads as one character and is written back as the same byte.
TEST(TextCodec, CodePageTablesRoundTripEveryByte) {
  for (const CodePage* page : {&Windows1252(), &CodePage437()}) {
    for (int b = 1; b < 256; ++b) {
      const std::string byte(1, static_cast<char>(b));
      const std::string utf8 = page->ToUtf8(byte);
      std::string back;
      EXPECT_TRUE(page->FromUtf8(utf8, back)) << b;
      EXPECT_EQ(back, byte) << b;
    }
  }
  EXPECT_EQ(Windows1252().ToUtf8("\x80\x9F\xE9"), "\u20AC\u0178\u00E9");
  EXPECT_EQ(CodePage437().ToUtf8("\x82\xB0\xE1\xFF"), "\u00E9\u2591\u00DF\u00A0");
  std::string bytes;
  size_t badAt = 99;
  EXPECT_FALSE(Windows1252().FromUtf8("ab\u0142c", bytes, &badAt));
  EXPECT_EQ(badAt, 2u);
  EXPECT_FALSE(CodePage437().FromUtf8("\u00E9\u20AC", bytes, &badAt));  // the euro: not in 437
  EXPECT_EQ(badAt, 2u);
  EXPECT_FALSE(Windows1252().FromUtf8("\uFFFD", bytes));
  EXPECT_TRUE(Utf8CodePage().FromUtf8("\u0142", bytes));
  EXPECT_EQ(bytes, "\u0142");
}

TEST(TextCodec, CaseFoldingOfLatinGreekAndCyrillic) {
  struct Case {
    const char *a, *b;
    int order;
  };
  const Case cases[] = {
      {"Editor", "eDITOR", 0},
      {"\u00C9T\u00C9", "\u00E9t\u00E9", 0},
      {"\u0141\u00D3D\u0179", "\u0142\u00F3d\u017A", 0},
      {"\u0152UVRE", "\u0153uvre", 0},
      {"\u0395\u039B\u039B\u0397\u039D\u0399\u039A\u0386",
       "\u03B5\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC", 0},
      {"\u039F\u0394\u039F\u03A3", "\u03BF\u03B4\u03BF\u03C2", 0},  // final sigma
      {"\u041A\u0418\u0420\u0418\u041B\u041B\u0418\u0426\u0410",
       "\u043A\u0438\u0440\u0438\u043B\u043B\u0438\u0446\u0430", 0},
      {"\u0401\u0416", "\u0451\u0436", 0},
      {"\u1EA0", "\u1EA1", 0},
      {"apple", "Banana", -1},
      {"b", "A", 1},
      {"ab", "ABC", -1},
      {"\u65E5", "\u65E5", 0},
      {"\u00E9", "e", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareFolded(c.a, c.b), c.order) << c.a << " " << c.b;
    EXPECT_EQ(CompareFolded(c.b, c.a), -c.order) << c.a << " " << c.b;
  }
  EXPECT_EQ(HostLocale().CompareIgnoreCase("\u0416\u0443\u043A", "\u0436\u0423\u041A"), 0);
}

}  // namespace
}  // namespace tallimo
