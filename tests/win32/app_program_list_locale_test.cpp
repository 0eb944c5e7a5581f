// The program list's rows through the user's locale on Windows (CompareStringW).
#include <gtest/gtest.h>

#include <memory>

#include "app/program_list.h"

namespace tallimo {
namespace {

TProgramList Named(const StringList& names) {
  TProgramList list;
  for (const std::string& name : names) {
    list.push_back(std::make_unique<TTallimoProg>());
    list.back()->Name = name;
  }
  return list;
}

TEST(ProgramListLocale, OrdersAndMergesIgnoringCase) {
  Locale& locale = HostLocale();
  EXPECT_EQ(ProgramListRows(Named({"b", "A", "c"}), locale), (StringList{"A", "b", "c"}));
  EXPECT_EQ(ProgramListRows(Named({"Tools", "TOOLS"}), locale), StringList{"Tools"});
  EXPECT_EQ(ProgramListRows(Named({"TOOLS", "Tools", "tools"}), locale), StringList{"TOOLS"});
  EXPECT_EQ(ProgramListRows(Named({"zip", "Tools", "arc", "TOOLS"}), locale),
            (StringList{"arc", "Tools", "zip"}));
  EXPECT_EQ(ProgramListRows({}, locale), StringList{""});
}

// Sort keys (LCMapStringW) order and merge as the comparison does, pair by pair, so that the
// list sorted by keys is the list sorted by comparisons.
TEST(ProgramListLocale, SortKeysOrderAsTheComparison) {
  Locale& locale = HostLocale();
  const StringList names = {
      "a",       "A",       "b",     "Ab",     "aB c",        "co-op",       "coop",    "co op",
      "Co-Op",   "it's",    "its",   "1 Tool", "10 Tool",     "2 Tool",      "_under",  "~tilde",
      "Zebra",   "zebra ",  "apfel", "ete",    "Text Editor", "TEXT editor", "Éditeur", "éditeur",
      "Ψηφιακό", "ψηφιακό", "Жук",   "ЖУК",    "日本語",      "Straße"};
  for (const std::string& a : names) {
    const auto ka = locale.SortKey(a);
    ASSERT_TRUE(ka.has_value()) << a;
    for (const std::string& b : names) {
      const auto kb = locale.SortKey(b);
      ASSERT_TRUE(kb.has_value()) << b;
      const int byKeys = *ka < *kb ? -1 : (*kb < *ka ? 1 : 0);
      const int compared = locale.CompareIgnoreCase(a, b);
      EXPECT_EQ(byKeys, compared < 0 ? -1 : (compared > 0 ? 1 : 0)) << a << " / " << b;
    }
  }
}

}  // namespace
}  // namespace tallimo
