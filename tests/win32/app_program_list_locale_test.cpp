// The program list's rows through the user's locale on Windows (CompareStringA).
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

}  // namespace
}  // namespace tallimo
