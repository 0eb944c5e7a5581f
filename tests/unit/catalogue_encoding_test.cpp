// The catalogue file's encodings: which one a file is read in, its text, and byte-identical
// round trips through LoadCatalogue and SaveCatalogue in each.
#include "catalogue/catalogue_encoding.h"

#include <gtest/gtest.h>

#include "catalogue/catalogue_file.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_locale.h"
#include "fakes/fixed_clock.h"
#include "fakes/utf16_file.h"
#include "platform/error.h"

namespace tallimo {
namespace {

using E = TCatalogueEncoding;

TEST(CatalogueEncoding, WhichEncodingAFileIsReadIn) {
  struct Case {
    const char* what;
    std::string bytes;
    E encoding;
    std::string text;
  };
  const Case cases[] = {
      {"plain ASCII", "[General]\nCaption=Disc\n", E::ceAnsi, "[General]\nCaption=Disc\n"},
      {"empty", "", E::ceAnsi, ""},
      {"Windows-1252", "Caption=Caf\xE9 \x80 \x81", E::ceAnsi, "Caption=Caf\u00E9 \u20AC \u0081"},
      {"UTF-8 as Notepad writes it", "Caption=Caf\xC3\xA9", E::ceUtf8, "Caption=Caf\u00E9"},
      {"UTF-8 with its mark",
       "\xEF\xBB\xBF"
       "Caption=\xCE\x9A",
       E::ceUtf8Mark, "Caption=\u039A"},
      {"a mark and nothing else", "\xEF\xBB\xBF", E::ceUtf8Mark, ""},
      {"a mark and ASCII", "\xEF\xBB\xBFx=1", E::ceUtf8Mark, "x=1"},
      // Starts like UTF-8 and breaks later: ANSI, every byte kept.
      {"UTF-8, then a lone byte", "A=\xC3\xA9\nB=\xE9", E::ceAnsi, "A=\u00C3\u00A9\nB=\u00E9"},
      {"an overlong form", "A=\xC0\xAF", E::ceAnsi, "A=\u00C0\u00AF"},
      {"an encoded surrogate", "A=\xED\xA0\x80", E::ceAnsi, "A=\u00ED\u00A0\u20AC"},
      {"above U+10FFFF", "A=\xF4\x90\x80\x80", E::ceAnsi, "A=\u00F4\u0090\u20AC\u20AC"},
      {"cut at the end", "A=\xE2\x82", E::ceAnsi, "A=\u00E2\u201A"},
      {"four bytes", "A=\xF0\x9F\x98\x80", E::ceUtf8, "A=\U0001F600"},
      {"UTF-16 little-endian", testing::Utf16File(u"A=\u00E9\r\n"), E::ceUtf16LittleEndian,
       "A=\u00E9\r\n"},
      {"UTF-16 big-endian", testing::Utf16File(u"A=\U0001F600", true), E::ceUtf16BigEndian,
       "A=\U0001F600"},
  };
  for (const Case& c : cases) {
    const CatalogueText read = DecodeCatalogue(c.bytes, Windows1252());
    EXPECT_EQ(read.encoding, c.encoding) << c.what;
    EXPECT_EQ(read.text, c.text) << c.what;
    EXPECT_TRUE(read.replacedLines.empty()) << c.what;
    EXPECT_FALSE(read.oddLength) << c.what;
  }
}

// Broken input reads without a crash, and says where: lone surrogates, an odd byte count, bytes
// that are not UTF-8 behind a UTF-8 mark.
TEST(CatalogueEncoding, BrokenTextReadsAsReplacementCharacters) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string text;
    std::vector<size_t> replacedLines;
    bool oddLength;
  };
  const Case cases[] = {
      {"a lone high surrogate",
       testing::Utf16File(u"a\r\nb\xD800"
                          u"c\rd"),
       "a\r\nb\uFFFDc\rd",
       {2},
       false},
      {"a lone low surrogate",
       testing::Utf16File(u"\xDC00\n\n\xDBFF", true),
       "\uFFFD\n\n\uFFFD",
       {1, 3},
       false},
      {"an odd byte count", testing::Utf16File(u"ab") + "x", "ab", {}, true},
      {"just the mark", "\xFF\xFE", "", {}, false},
      {"the mark and one byte", std::string("\xFE\xFF\x00", 3), "", {}, true},
      {"a zero unit",
       testing::Utf16File(std::u16string(u"a\0b", 3)),
       std::string("a\0b", 3),
       {},
       false},
      {"not UTF-8 behind the mark",
       "\xEF\xBB\xBF"
       "a\r\n\xE9t\xE9\r\n\xEF\xBF\xBD",
       "a\r\n\uFFFDt\uFFFD\r\n\uFFFD",
       {2},
       false},
  };
  for (const Case& c : cases) {
    const CatalogueText read = DecodeCatalogue(c.bytes, Windows1252());
    EXPECT_EQ(read.text, c.text) << c.what;
    EXPECT_EQ(read.replacedLines, c.replacedLines) << c.what;
    EXPECT_EQ(read.oddLength, c.oddLength) << c.what;
  }
}

class CatalogueRoundTrip : public ::testing::Test {
 protected:
  Catalogue Sample(const std::string& caption, const std::string& name) {
    Catalogue cat;
    cat.IniFileName = ini;
    cat.ConfigCaption = caption;
    cat.NoteLines = {"Insert the disc", ""};
    auto entry = std::make_unique<TTallimoProg>();
    entry->Name = name;
    entry->InstallLines = {"%D:\\SETUP.EXE"};
    cat.ProgramList.push_back(std::move(entry));
    return cat;
  }
  const std::string ini = "D:\\DISC.INI";
  testing::FakeFileSystem files;
  testing::FakeLocale locale;
  testing::FixedClock clock;
};

// Written in an encoding, read back in it, written again: the same bytes, with the same mark.
TEST_F(CatalogueRoundTrip, EachEncodingIsWrittenAsItWasRead) {
  struct Case {
    E encoding;
    std::string caption, name;
    std::string starts;
  };
  const Case cases[] = {
      {E::ceAnsi, "Caf\u00E9 \u20AC5", "Stra\u00DFe", "[General]\r\nCaption=Caf\xE9 \x80"},
      {E::ceAnsi, "Plain", "Tools", "[General]\r\nCaption=Plain"},
      {E::ceUtf8, "Caf\u00E9", "\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC",
       "[General]\r\nCaption=Caf\xC3\xA9"},
      {E::ceUtf8Mark, "\u041A\u0438\u0440", "\u65E5\u672C\u8A9E", "\xEF\xBB\xBF[General]"},
      {E::ceUtf8Mark, "Plain", "Tools", "\xEF\xBB\xBF[General]"},
      {E::ceUtf16LittleEndian, "\U0001F600", "\u65E5\u672C", std::string("\xFF\xFE[\0G", 4)},
      {E::ceUtf16BigEndian, "\u00E9", "x", std::string("\xFE\xFF\0[\0G", 5)},
  };
  for (const Case& c : cases) {
    files.files.clear();
    Catalogue cat = Sample(c.caption, c.name);
    cat.Encoding = c.encoding;
    SaveCatalogue(cat, files, locale, clock);
    const std::string first = files.files[ini];
    EXPECT_TRUE(first.starts_with(c.starts)) << c.caption;

    Catalogue back;
    back.IniFileName = ini;
    LoadCatalogue(back, files, locale);
    EXPECT_EQ(back.Encoding, c.encoding) << c.caption;
    EXPECT_EQ(back.ConfigCaption, c.caption);
    ASSERT_EQ(back.ProgramList.size(), 1u);
    EXPECT_EQ(back.ProgramList[0]->Name, c.name);
    SaveCatalogue(back, files, locale, clock);
    EXPECT_EQ(files.files[ini], first) << c.caption;
    EXPECT_EQ(files.files["D:\\DISC.old"], first) << c.caption;
  }
}

// A catalogue never read is ANSI while every character fits, else UTF-8 with its mark; an ANSI
// catalogue that holds a character the code page lacks is not written at all by SaveCatalogue.
TEST_F(CatalogueRoundTrip, NeverReadAndUnstorable) {
  struct Case {
    E before;
    std::string name;
    E after;  // ceNotRead: refused
  };
  const Case cases[] = {
      {E::ceNotRead, "Caf\u00E9", E::ceAnsi},
      {E::ceNotRead, "\u0141\u00F3d\u017A", E::ceUtf8Mark},
      {E::ceAnsi, "Caf\u00E9", E::ceAnsi},
      {E::ceAnsi, "\u0141\u00F3d\u017A", E::ceNotRead},
      {E::ceUtf8, "\u0141\u00F3d\u017A", E::ceUtf8},
  };
  for (const Case& c : cases) {
    files.files.clear();
    files.files[ini] = "old";
    Catalogue cat = Sample("Disc", c.name);
    cat.Encoding = c.before;
    cat.Modified = true;
    if (c.after == E::ceNotRead) {
      try {
        SaveCatalogue(cat, files, locale, clock);
        ADD_FAILURE() << "saved " << c.name;
      } catch (const TallimoError& e) {
        EXPECT_STREQ(e.what(),
                     "D:\\DISC.INI holds characters that the ANSI code page cannot store, such as "
                     "\"\u0141\" in Name of \"\u0141\u00F3d\u017A\".");
      }
      EXPECT_EQ(files.files, (std::map<std::string, std::string>{{ini, "old"}}));
      EXPECT_TRUE(cat.Modified);
      EXPECT_EQ(cat.Encoding, c.before);
      continue;
    }
    SaveCatalogue(cat, files, locale, clock);
    EXPECT_EQ(cat.Encoding, c.after) << c.name;
    EXPECT_EQ(DecodeCatalogue(files.files[ini], Windows1252()).encoding, c.after) << c.name;
  }
}

// Where the first character that the code page cannot store is, as the save question names it.
TEST_F(CatalogueRoundTrip, TheFirstUnstorableCharacterAndItsPlace) {
  struct Case {
    std::string caption, note, info;
    std::optional<std::string> character, place;
  };
  const Case cases[] = {
      {"Caf\u00E9", "", "", std::nullopt, std::nullopt},
      {"\u039A\u03B1", "\u0416", "", "\u039A", "Caption"},
      {"", "x\u0416", "", "\u0416", "Note2"},
      {"", "", "ok \U0001F600 \u0416", "\U0001F600", "Info2 of \"Tools\""},
  };
  for (const Case& c : cases) {
    Catalogue cat = Sample(c.caption, "Tools");
    cat.NoteLines = {"n", c.note};
    cat.ProgramList[0]->InfoLines = {"first", c.info};
    const auto found = FindUnstorableCharacter(cat, Windows1252());
    ASSERT_EQ(found.has_value(), c.character.has_value()) << c.caption;
    if (!found) continue;
    EXPECT_EQ(found->character, *c.character);
    EXPECT_EQ(found->place, *c.place);
  }
}

}  // namespace
}  // namespace tallimo
