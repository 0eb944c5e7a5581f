// The list's rows with categories, and the marks of headers, defaults and presets.
#include <gtest/gtest.h>

#include "app/list_rows.h"
#include "catalogue/catalogue_file.h"
#include "catalogue/program_groups.h"
#include "fakes/fake_locale.h"

namespace tallimo {
namespace {

struct Spec {
  const char* name;
  const char* category;
  const char* presets = "";
  bool marked = false;  // Default=1
};

class ListRowsTest : public ::testing::Test {
 protected:
  void Read(const std::vector<Spec>& specs) {
    std::string text;
    int n = 0;
    for (const Spec& s : specs)
      text += "[Program" + std::to_string(++n) + "]\nName=" + s.name + "\nCategory=" + s.category +
              "\nPresets=" + s.presets + (s.marked ? "\nDefault=1\n" : "\n");
    ReadCatalogueText(text, cat);
    entries = SortedProgramEntries(cat.ProgramList, locale);
    rules = ProgramRules(cat.ProgramList, SystemInfo{10, 0, 19045, TArch::arX64});
  }
  ListRows Rows(const std::vector<const TTallimoProg*>& shown) {
    return BuildListRows(shown, CatalogueCategories(cat.ProgramList));
  }
  // Rows as text, headers in brackets.
  static StringList Shown(const ListRows& rows) {
    StringList texts;
    for (const ListRow& row : rows)
      texts.push_back(row.IsHeader() ? "[" + row.text + "]" : row.text);
    return texts;
  }
  StringList MarkedNames() const {
    StringList names;
    for (const auto& e : cat.ProgramList)
      if (marks.IsMarked(e.get())) names.push_back(e->Name);
    return names;
  }
  Catalogue cat;
  testing::FakeLocale locale;
  std::vector<const TTallimoProg*> entries;
  ProgramMarks marks, installed;
  ProgramRules rules;
  RuleMarks ruled{marks, rules, installed};
};

TEST_F(ListRowsTest, HeadersInTheAuthorsOrderProgramsSortedUnderThemOthersLast) {
  struct Case {
    std::vector<Spec> specs;
    StringList rows;
  } cases[] = {
      // No category anywhere: the sorted names alone.
      {{{"b", ""}, {"A", ""}, {"c", ""}}, {"A", "b", "c"}},
      {{{"Zip", "Tools"}, {"Word", "Office"}, {"Free", ""}, {"Calc", "office"}, {"Awk", "TOOLS"}},
       {"[Tools]", "Awk", "Zip", "[Office]", "Calc", "Word", "[Other programs]", "Free"}},
      // Equal names: one row, under the first entry's category.
      {{{"Tools", "A"}, {"TOOLS", "B"}, {"x", "B"}}, {"[A]", "Tools", "[B]", "x"}},
  };
  for (const Case& c : cases) {
    Read(c.specs);
    EXPECT_EQ(Shown(Rows(entries)), c.rows);
  }
}

TEST_F(ListRowsTest, TheFilterShowsAHeaderOnlyAbovePrograms) {
  Read({{"Zip", "Tools"}, {"Word", "Office"}, {"Free", ""}});
  // entries: Free, Word, Zip
  EXPECT_EQ(Shown(Rows({entries[1]})), (StringList{"[Office]", "Word"}));
  EXPECT_EQ(Shown(Rows({entries[0], entries[2]})),
            (StringList{"[Tools]", "Zip", "[Other programs]", "Free"}));
  EXPECT_TRUE(Rows({}).empty());
  const ListRows rows = Rows(entries);
  EXPECT_EQ(RowTexts(rows, true), (StringList{"", "Zip", "", "Word", "", "Free"}));
}

TEST_F(ListRowsTest, AHeaderMarksItsProgramsOrUnmarksThemWhenAllAreMarked) {
  Read({{"Zip", "Tools"}, {"Awk", "Tools"}, {"Word", "Office"}});
  const ListRows rows = Rows(entries);  // [Tools] Awk Zip [Office] Word
  marks.SetMarked(rows[1].entry, true);
  EXPECT_FALSE(RowMarked(ruled, rows, 0));
  ToggleRowMarks(ruled, rows, 0);
  EXPECT_EQ(MarkedNames(), (StringList{"Zip", "Awk"}));
  EXPECT_TRUE(RowMarked(ruled, rows, 0));
  ToggleRowMarks(ruled, rows, 3);
  ToggleRowMarks(ruled, rows, 0);
  EXPECT_EQ(MarkedNames(), (StringList{"Word"}));
  ToggleRowMarks(ruled, rows, 4);  // a program's row: that program alone
  EXPECT_TRUE(marks.Empty());
}

TEST_F(ListRowsTest, DefaultsAndPresetsMarkReachablePrograms) {
  Read({{"Zip", "", "Home; Office PC", true},
        {"Word", "", "office pc"},
        {"WORD", "", "Office PC", true},  // not reached from the list
        {"Paint", "", "Home", false}});
  MarkDefaults(ruled, entries);
  EXPECT_EQ(MarkedNames(), (StringList{"Zip"}));
  installed.SetMarked(cat.ProgramList[0].get(), true);
  marks.SetMarked(cat.ProgramList[3].get(), true);
  MarkPreset(ruled, entries, "OFFICE PC");  // less the installed Zip, others cleared
  EXPECT_EQ(MarkedNames(), (StringList{"Word"}));
  EXPECT_EQ(CataloguePresets(cat.ProgramList).Names(), (StringList{"Home", "Office PC"}));
}

TEST(PresetMenu, NumberedEscapedAndCut) {
  StringList presets;
  for (int i = 1; i <= 10; ++i) presets.push_back("P" + std::to_string(i));
  presets[1] = "Tom & Jerry";
  presets.push_back(std::string(10000, 'x'));
  const StringList captions = PresetMenuCaptions(presets);
  EXPECT_EQ(captions[0], "&1 P1");
  EXPECT_EQ(captions[1], "&2 Tom && Jerry");
  EXPECT_EQ(captions[8], "&9 P9");
  EXPECT_EQ(captions[9], "P10");
  EXPECT_EQ(captions[10], std::string(60, 'x') + "...");
}

}  // namespace
}  // namespace tallimo
