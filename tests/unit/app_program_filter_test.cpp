// The filter's matching rule, its count text, find as you type over a fake clock, and the list's
// order by sort keys against the order by comparisons.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/program_filter.h"
#include "app/program_list.h"
#include "app/type_ahead.h"
#include "fakes/fake_locale.h"

namespace tallimo {
namespace {

std::unique_ptr<TTallimoProg> Entry(std::string name, StringList info = {}, StringList specs = {}) {
  auto e = std::make_unique<TTallimoProg>();
  e->Name = std::move(name);
  e->InfoLines = std::move(info);
  e->SpecsLines = std::move(specs);
  e->SerialLines = {"SERIAL-FIREWALL"};  // never searched
  e->NfoPath = "\\WALL\\WALL.NFO";       // never searched
  return e;
}

// A small disc: the rows as the list shows them, and the entries behind them.
struct Disc {
  TProgramList list;
  StringList rows;
  ProgramFilter filter;
  Disc() {
    list.push_back(Entry("Text Editor", {"Edits plain text files"}, {"Size: 2 MB"}));
    list.push_back(Entry("Net Guard", {"A personal Firewall for the office"}, {"Needs TCP/IP"}));
    list.push_back(Entry("Paint Shop", {"Pictures and photos"}, {"Size: 12 MB", "256 colours"}));
    list.push_back(Entry("C++ Tools", {"Compiler, make & linker"}, {}));
    list.push_back(Entry("Ψηφιακό Αρχείο", {"Σύστημα ΑΡΧΕΙΩΝ"}, {"Файловый МЕНЕДЖЕР"}));
    list.push_back(Entry("text editor", {"never listed: merged into Text Editor"}, {}));
    testing::FakeLocale locale;
    rows = SortedProgramNames(list, locale);
    filter.Build(SortedProgramEntries(list, locale));
  }
};

// The names of the rows that match `text`.
StringList Shown(ProgramFilter& filter, std::string_view text) {
  StringList names;
  for (size_t row : filter.Matching(text)) names.push_back(filter.AllRows()[row]);
  return names;
}

TEST(ProgramFilter, EveryWordInNameInformationOrSpecificationsIgnoringCase) {
  Disc disc;
  const StringList all = {"C++ Tools", "Net Guard", "Paint Shop", "Text Editor", "Ψηφιακό Αρχείο"};
  ASSERT_EQ(disc.rows, all);
  const struct {
    const char* text;
    StringList shown;
  } cases[] = {
      {"firewall", {"Net Guard"}},              // in the information only
      {"FIREWALL", {"Net Guard"}},              // case ignored both ways
      {"mb", {"Paint Shop", "Text Editor"}},    // specs lines; order kept
      {"size  12", {"Paint Shop"}},             // every word, blanks repeated
      {"12 size", {"Paint Shop"}},              // in any order
      {"text editor", {"Text Editor"}},         // the name
      {"edi", {"Text Editor"}},                 // part of a word
      {"text photos", {}},                      // words of two entries: none
      {"c++", {"C++ Tools"}},                   // not letters
      {"&", {"C++ Tools"}},                     //
      {"tcp/ip", {"Net Guard"}},                //
      {"serial", {}},                           // serial lines are not searched
      {"nfo", {}},                              // nor the NFO path
      {"never", {}},                            // nor a merged entry's lines
      {"office needs", {"Net Guard"}},          // across information and specs
      {"firewallneeds", {}},                    // but no word spans two lines
      {"ΑΡΧΕΊΟ", {"Ψηφιακό Αρχείο"}},           // Greek case ignored
      {"ΑΡΧΕΙΟ", {}},                           // but not its accents
      {"αρχειων ψηφιακό", {"Ψηφιακό Αρχείο"}},  // Greek, both ways
      {"менеджер", {"Ψηφιακό Αρχείο"}},         // Cyrillic
      {"   ", all},                             // no words: all
      {"", all},
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(disc.filter, c.text), c.shown) << c.text;
  EXPECT_EQ(disc.filter.AllRows(), disc.rows);
  EXPECT_EQ(disc.filter.Entry(3), disc.list[0].get());  // the first of the name
  EXPECT_EQ(disc.filter.Entry(1), disc.list[1].get());
}

TEST(ProgramFilter, EveryWordFoundWhereverItStandsInOneWalk) {
  std::string words32;  // " w00 w01 ... w31": none part of another
  for (int i = 0; i < 32; ++i) words32 += (i < 10 ? " w0" : " w") + std::to_string(i);
  TProgramList list;
  list.push_back(Entry("Kit One", {"aaab", "tea tex"}, {"end of abc"}));
  list.push_back(Entry("Kit Two", {"aab tex"}, {"abcd z"}));
  list.push_back(Entry("Kit Three", {"te", "q"}));
  list.push_back(Entry("Words", {words32}));
  list.push_back(Entry("Fewer Words", {words32.substr(0, words32.size() - 4)}));
  testing::FakeLocale locale;
  ProgramFilter filter;
  filter.Build(SortedProgramEntries(list, locale));
  const struct {
    std::string text;
    StringList shown;
  } cases[] = {
      {"aab", {"Kit One", "Kit Two"}},  // after a false start ("aaab")
      {"tex tea", {"Kit One"}},         // two words of the same first two bytes
      {"abcd", {"Kit Two"}},            // longer than what is left ("abc" at the end)
      {"z", {"Kit Two"}},               // the last byte
      {"q te", {"Kit Three"}},          // one byte, last; a line of its own
      {words32, {"Words"}},             // 32 words, the last one missing from the other
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(filter, c.text), c.shown) << c.text;
}

TEST(ProgramFilter, WordsAreSplitAtBlanksAndFolded) {
  // A word repeated counts once.
  EXPECT_EQ(FilterWords(" Net\tguard  NET a "), (std::vector<std::string>{"net", "guard", "a"}));
  EXPECT_TRUE(FilterWords(" \t ").empty());
  EXPECT_EQ(FilterWords("ÄBC-xyZ ΣΟΦΊΑ"), (std::vector<std::string>{"äbc-xyz", "σοφία"}));
}

TEST(ProgramFilter, APasteUsesItsFirst32DistinctWords) {
  std::string words32, pasted;
  for (int i = 0; i < 32; ++i) words32 += "w" + std::to_string(i) + " ";
  for (int i = 0; i < 50000; ++i) pasted += "a ";
  const struct {
    std::string text;
    size_t words;
    bool capped;
  } cases[] = {
      {words32, 32, false},
      {words32 + words32 + "W0", 32, false},  // repeats are no new words
      {words32 + "w32", 32, true},
      {pasted, 1, false},
      {pasted + words32, 32, true},  // "a" and the first 31 of them
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FilterWords(c.text).size(), c.words) << c.text.substr(0, 40);
    EXPECT_EQ(FilterWordsCapped(c.text), c.capped) << c.text.substr(0, 40);
  }
  EXPECT_EQ(FilterWords(words32 + "w32").back(), "w31");
}

TEST(ProgramFilter, NarrowingFromThePreviousTextFindsWhatAFreshSearchFinds) {
  // Typed on in one filter, each text against a filter that saw no text before.
  const std::vector<std::string> typed = {
      "t",  "te",         "tex", "text", "text e",    "tex", "ext", "mb", "mb size",
      "12", "size 12 mb", "12 ", "xyz",  "paint xyz", "p",   "ψ",   ""};
  Disc disc;
  for (const std::string& text : typed) {
    Disc fresh;
    EXPECT_EQ(Shown(disc.filter, text), Shown(fresh.filter, text)) << text;
  }
}

TEST(ProgramFilter, LongTextsAndEqualNamesStayFast) {
  TProgramList list;
  for (int i = 0; i < 10000; ++i) list.push_back(Entry("Same", {"line " + std::to_string(i)}));
  testing::FakeLocale locale;
  ProgramFilter filter;
  filter.Build(SortedProgramEntries(list, locale));
  ASSERT_EQ(filter.AllRows(), StringList{"Same"});
  EXPECT_EQ(filter.Entry(0), list[0].get());
  std::string longText(10000, 'a');
  std::string manyWords;
  for (int i = 0; i < 3000; ++i) manyWords += "s" + std::to_string(i % 97) + " ";
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(filter.Matching(longText).empty());
  EXPECT_TRUE(filter.Matching(manyWords).empty());
  EXPECT_EQ(Shown(filter, "SAME line 0"), StringList{"Same"});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

TEST(ProgramFilter, CountTextAndNoMatchPane) {
  EXPECT_EQ(FilterCountText(12, 240, 0, 0), "12 of 240 programs");
  EXPECT_EQ(FilterCountText(12, 240, 3, 1), "12 of 240 programs, 3 marked, 1 of them hidden");
  EXPECT_EQ(FilterCountText(12, 240, 3, 0), "12 of 240 programs, 3 marked");
  EXPECT_EQ(FilterCountText(0, 240, 0, 0), "0 of 240 programs");
  EXPECT_EQ(NoMatchInfoLines("zz top"), (StringList{"", " No program matches \"zz top\""}));
  const std::string hundred(100, 'x');
  EXPECT_EQ(NoMatchInfoLines(hundred)[1], " No program matches \"" + hundred + "\"");
  EXPECT_EQ(NoMatchInfoLines(hundred + "y")[1], " No program matches \"" + hundred + "...\"");
  // Never half a character: a two-byte letter across the 100th byte goes whole.
  EXPECT_EQ(NoMatchInfoLines(std::string(99, 'x') + "\xC3\xA9")[1],
            " No program matches \"" + std::string(99, 'x') + "...\"");
}

// One keystroke of a find-as-you-type run: typed at `ms`, with the list's selection before it.
struct Key {
  char32_t c;
  std::uint32_t ms;
  int selected;
  TypeAhead::Result result;
  int row;  // the row to select (for Found)
};

TEST(TypeAhead, SelectsByTheStartOfTheNameAsWindowsListsDo) {
  const StringList rows = {"Paint",       "Picture Viewer", "Sound Mixer", "Tetris",
                           "Text Editor", "text tools",     "Zip"};
  using R = TypeAhead::Result;
  const struct {
    const char* what;
    std::vector<Key> keys;
  } runs[] = {
      {"the first letter searches from the row after the selected one", {{'t', 0, 3, R::Found, 4}}},
      {"with no selection, from the first row", {{'P', 0, -1, R::Found, 0}}},
      {"wrapping round", {{'p', 0, 5, R::Found, 0}}},
      {"within a second the text grows and the selected row itself is tried first",
       {{'t', 0, -1, R::Found, 3}, {'e', 400, 3, R::Found, 3}, {'x', 900, 3, R::Found, 4}}},
      {"\"te\" stays on Text Editor", {{'t', 0, 3, R::Found, 4}, {'e', 500, 4, R::Found, 4}}},
      {"the same letter again steps through the names with it",
       {{'t', 0, -1, R::Found, 3},
        {'t', 300, 3, R::Found, 4},
        {'t', 600, 4, R::Found, 5},
        {'t', 900, 5, R::Found, 3}}},
      {"a second's pause starts a new text",
       {{'t', 0, -1, R::Found, 3}, {'e', 1000, 3, R::NoMatch, -1}, {'z', 2500, 3, R::Found, 6}}},
      {"Space within a second is part of the text",
       {{'t', 0, -1, R::Found, 3},
        {'e', 100, 3, R::Found, 3},
        {'x', 200, 3, R::Found, 4},
        {'t', 300, 4, R::Found, 4},
        {' ', 400, 4, R::Found, 4},
        {'t', 500, 4, R::Found, 5}}},
      {"Space on its own, or after a pause, is not find-as-you-type's",
       {{' ', 0, 2, R::NotUsed, -1}, {'s', 100, 2, R::Found, 2}, {' ', 1200, 2, R::NotUsed, -1}}},
      {"no name starts with the text: the selection stays",
       {{'q', 0, 2, R::NoMatch, -1}, {'#', 5000, 2, R::NoMatch, -1}}},
      {"control characters are not find-as-you-type's",
       {{'\r', 0, 2, R::NotUsed, -1}, {'\b', 0, 2, R::NotUsed, -1}}},
      {"the tick count wraps round",
       {{'t', 0xFFFFFF00u, -1, R::Found, 3}, {'e', 0x100u, 3, R::Found, 3}}},
  };
  for (const auto& run : runs) {
    TypeAhead typeAhead;
    for (size_t i = 0; i < run.keys.size(); ++i) {
      const Key& k = run.keys[i];
      const TypeAhead::Step step = typeAhead.Type(k.c, k.ms, rows, k.selected);
      EXPECT_EQ(step.result, k.result) << run.what << ", key " << i;
      if (k.result == R::Found) {
        EXPECT_EQ(step.row, k.row) << run.what << ", key " << i;
      }
    }
  }
}

TEST(TypeAhead, EveryNameTheSameAndAnEmptyList) {
  TypeAhead typeAhead;
  const StringList same(5, "Same");
  EXPECT_EQ(typeAhead.Type('s', 0, same, 4).row, 0);                                // wraps round
  EXPECT_EQ(typeAhead.Type('s', 100, same, 0).row, 1);                              // steps
  EXPECT_EQ(typeAhead.Type('a', 200, same, 1).result, TypeAhead::Result::NoMatch);  // "ssa"
  EXPECT_EQ(typeAhead.Type('s', 2000, same, 1).row, 2);
  EXPECT_EQ(typeAhead.Type('a', 2100, same, 2).row, 2);  // "sa" stays
  EXPECT_EQ(typeAhead.Type('x', 5000, StringList{""}, 0).result, TypeAhead::Result::NoMatch);
  EXPECT_EQ(typeAhead.Type('x', 9000, StringList{}, -1).result, TypeAhead::Result::NoMatch);
}

TEST(TypeAhead, LettersOfAnyScriptIgnoringCase) {
  const StringList rows = {"Éditeur", "Ψηφιακό", "Ωδή", "Жук", "жёлтый"};
  TypeAhead typeAhead;
  EXPECT_EQ(typeAhead.Type(U'é', 0, rows, -1).row, 0);
  EXPECT_EQ(typeAhead.Type(U'ω', 5000, rows, 0).row, 2);
  EXPECT_EQ(typeAhead.Type(U'Ж', 9000, rows, 2).row, 3);
  EXPECT_EQ(typeAhead.Type(U'Ж', 9100, rows, 3).row, 4);  // the same letter steps on
  EXPECT_EQ(typeAhead.Type(U'Ё', 9200, rows, 4).result, TypeAhead::Result::NoMatch);  // "жжё"
  EXPECT_EQ(typeAhead.Type(U'ж', 20000, rows, 1).row, 3);
  EXPECT_EQ(typeAhead.Type(U'Ё', 20100, rows, 3).row, 4);  // "жё"
}

// The fake locale with sort keys: the folded text, whose bytes order as its comparison does.
class KeyedLocale : public testing::FakeLocale {
 public:
  std::optional<std::string> SortKey(const std::string& text) override {
    std::string key = text;
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
  }
};

TEST(SortedProgramNames, SortKeysGiveTheOrderAndMergesOfTheComparison) {
  const std::vector<StringList> catalogues = {
      {"b", "A", "c"},
      {"zip", "TOOLS", "arc", "tools", "Tools", "Mid"},
      {"Toolset", "Tool", "", "tool", "TOOL SET", "tool-set"},
      {"Same", "SAME", "same", "Same"},
      {"\xC4pfel", "apfel", "Zebra", "~tilde", "123", "_under"},
  };
  KeyedLocale keyed;
  testing::FakeLocale pairwise;
  for (const StringList& names : catalogues) {
    TProgramList list;
    for (const std::string& n : names) list.push_back(Entry(n));
    EXPECT_EQ(SortedProgramNames(list, keyed), SortedProgramNames(list, pairwise)) << names.front();
  }
}

}  // namespace
}  // namespace tallimo
