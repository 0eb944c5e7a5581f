// The list's rows with categories, and the marks of headers, defaults and presets.
#include <gtest/gtest.h>

#include "app/list_rows.h"
#include "catalogue/catalogue_file.h"
#include "fakes/fake_locale.h"

namespace tallimo {
namespace {

struct Row {
  const char *name, *category, *more = "";  // more: further keys
};

class ListRowsTest : public ::testing::Test {
 protected:
  void Read(const std::vector<Row>& specs) {
    std::string text;
    for (size_t n = 0; n < specs.size(); ++n)
      text += "[Program" + std::to_string(n + 1) + "]\nName=" + specs[n].name +
              "\nCategory=" + specs[n].category + "\n" + specs[n].more;
    ReadCatalogueText(text, cat);
    entries = SortedProgramEntries(cat.ProgramList, locale);
    rules = ProgramRules(cat.ProgramList, SystemInfo{10, 0, 19045, TArch::arX64});
  }
  // The rows of `shown` as text, headers in brackets.
  StringList Shown(const std::vector<const TTallimoProg*>& shown) {
    rows = BuildListRows(shown, CatalogueCategories(cat.ProgramList));
    StringList texts;
    for (const ListRow& row : rows)
      texts.push_back(row.IsHeader() ? "[" + row.text + "]" : row.text);
    return texts;
  }
  std::string Marked() const {
    std::string names;
    for (const auto& e : cat.ProgramList) names += marks.IsMarked(e.get()) ? e->Name + ";" : "";
    return names;
  }
  Catalogue cat;
  testing::FakeLocale locale;
  std::vector<const TTallimoProg*> entries;
  ListRows rows;
  ProgramMarks marks, installed;
  ProgramRules rules;
  RuleMarks ruled{marks, rules, installed};
};

TEST_F(ListRowsTest, HeadersInTheAuthorsOrderProgramsSortedUnderThemOthersLast) {
  const std::pair<std::vector<Row>, StringList> cases[] = {
      {{{"b", ""}, {"A", ""}}, {"A", "b"}},  // no category anywhere: the names alone
      {{{"Zip", "Tools"}, {"Word", "Office"}, {"Free", ""}, {"Calc", "office"}, {"Awk", "TOOLS"}},
       {"[Tools]", "Awk", "Zip", "[Office]", "Calc", "Word", "[Other programs]", "Free"}},
      // Equal names: one row, under the first entry's category.
      {{{"Tools", "A"}, {"TOOLS", "B"}, {"x", "B"}}, {"[A]", "Tools", "[B]", "x"}},
  };
  for (const auto& [specs, expected] : cases) {
    Read(specs);
    EXPECT_EQ(Shown(entries), expected);
  }
  // The filter's share: a header only above programs shown (entries: Tools, x).
  EXPECT_EQ(Shown({entries[1]}), (StringList{"[B]", "x"}));
  EXPECT_EQ(RowTexts(rows, true), (StringList{"", "x"}));
}

TEST_F(ListRowsTest, HeadersDefaultsAndPresetsMark) {
  Read({{"Zip", "Tools", "Default=1\nPresets=Home; Office PC\n"},
        {"Awk", "Tools", "Presets=office pc\n"},
        {"AWK", "", "Presets=Office PC\nDefault=1\n"},  // not reached from the list
        {"Word", "Office", "Presets=Home\n"}});
  MarkDefaults(ruled, entries);
  EXPECT_EQ(Marked(), "Zip;");
  Shown(entries);                  // [Tools] Awk Zip [Office] Word
  ToggleRowMarks(ruled, rows, 0);  // some marked: all
  EXPECT_EQ(Marked(), "Zip;Awk;");
  EXPECT_TRUE(RowMarked(ruled, rows, 0));
  ToggleRowMarks(ruled, rows, 0);  // all marked: none
  ToggleRowMarks(ruled, rows, 4);  // a program's row: that program
  EXPECT_EQ(Marked(), "Word;");
  installed.SetMarked(cat.ProgramList[0].get(), true);
  MarkPreset(ruled, entries, "OFFICE PC");  // less the installed Zip, Word cleared
  EXPECT_EQ(Marked(), "Awk;");
  EXPECT_EQ(CataloguePresets(cat.ProgramList).Names(), (StringList{"Home", "Office PC"}));

  StringList presets(10, "P");
  presets[1] = "Tom & Jerry";
  presets[9] = std::string(10000, 'x');
  const StringList captions = PresetMenuCaptions(presets);
  EXPECT_EQ(captions[0], "&1 P");
  EXPECT_EQ(captions[1], "&2 Tom && Jerry");
  EXPECT_EQ(captions[9], std::string(60, 'x') + "...");  // the tenth has no number
}

}  // namespace
}  // namespace tallimo
