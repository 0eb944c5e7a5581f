#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/program_groups.h"
#include "install/program_rules.h"

namespace tallimo {
namespace {

struct Program {
  const char* name;
  const char* needs = "";
  const char* excludes = "";
  const char* windows = "";
  const char* arch = "";
};

TProgramList Catalogue(std::initializer_list<Program> programs) {
  TProgramList list;
  for (const Program& p : programs) {
    auto entry = std::make_unique<TTallimoProg>();
    entry->Name = p.name;
    entry->Requires = SplitPresets(p.needs);
    entry->Excludes = SplitPresets(p.excludes);
    entry->Windows = p.windows;
    entry->Arch = p.arch;
    list.push_back(std::move(entry));
  }
  return list;
}

std::string Names(const ProgramRules& rules, const std::vector<size_t>& indices) {
  std::string text;
  for (size_t i : indices) text += (text.empty() ? "" : " ") + rules.Entry(i).Name;
  return text;
}

constexpr SystemInfo kXp32{5, 1, 2600, TArch::arX86};
constexpr SystemInfo kWin7x64{6, 1, 7601, TArch::arX64};
constexpr SystemInfo kWin10x64{10, 0, 19045, TArch::arX64};
constexpr SystemInfo kWin11Arm{10, 0, 22631, TArch::arArm64};

TEST(ProgramRules, WhatAProgramNeedsOfTheComputer) {
  struct Case {
    const char* windows;
    const char* arch;
    SystemInfo system;
    const char* needs;
  } cases[] = {
      {"", "", kXp32, ""},
      {"7", "", kWin7x64, ""},
      {"7", "", kXp32, "Windows 7 or later"},
      {"vista", "", kWin11Arm, ""},
      {"XP-7", "", kWin10x64, "Windows XP to 7"},
      {" 8.1 - 10 ", "", kWin10x64, ""},
      {"10-10", "", kWin11Arm, "Windows 10"},  // 11 is 10 with build 22000 or later
      {"11", "", kWin10x64, "Windows 11 or later"},
      {"", "x64;arm64", kXp32, "x64 or arm64 Windows"},
      {"", "X86", kXp32, ""},
      {"", "x86", kWin7x64, "x86 Windows"},
      {"10", "x64", kXp32, "Windows 10 or later and x64 Windows"},
      // Values that do not read ask nothing; the author's check reports them.
      {"98", "", kXp32, ""},
      {"10-7", "", kXp32, ""},
      {"", "x64;sparc", kXp32, ""},
  };
  for (const Case& c : cases) {
    TProgramList list = Catalogue({{"P", "", "", c.windows, c.arch}});
    ProgramRules rules(list, c.system);
    EXPECT_EQ(rules.Needs(0), c.needs) << c.windows << " / " << c.arch;
    EXPECT_EQ(rules.Applicable(0), std::string(c.needs).empty());
  }
  EXPECT_EQ(WindowsVersionIndex({5, 0, 2195, TArch::arX86}), -1);  // older than XP
  EXPECT_EQ(WindowsVersionIndex({6, 3, 9600, TArch::arX86}), 4);
}

TEST(ProgramRules, ARequirementNotForThisComputerMakesItsDependentsNotForItEither) {
  TProgramList list =
      Catalogue({{"App", "Runtime"}, {"Runtime", "Driver"}, {"Driver", "", "", "", "arm64"}});
  ProgramRules rules(list, kWin10x64);
  EXPECT_EQ(rules.Needs(2), "arm64 Windows");
  EXPECT_EQ(rules.Needs(1), "Driver, which is not for this computer");
  EXPECT_EQ(rules.Needs(0), "Runtime, which is not for this computer");
  EXPECT_EQ(rules.NotForThisComputerLine(0),
            "Not for this computer: it needs Runtime, which is not for this computer.");
}

TEST(ProgramRules, InstallOrderMovesRequirementsJustBeforeTheirFirstDependent) {
  struct Case {
    std::initializer_list<Program> catalogue;
    std::vector<size_t> selected;
    const char* order;
  } cases[] = {
      // Catalogue order when nothing is required.
      {{{"A"}, {"B"}, {"C"}}, {2, 0, 1}, "A B C"},
      // A requirement after its dependent moves to just before it; nothing else moves.
      {{{"A"}, {"B", "D"}, {"C"}, {"D"}}, {0, 1, 2, 3}, "A D B C"},
      // A requirement already before its dependent stays where it is.
      {{{"R"}, {"A"}, {"B", "r"}}, {0, 1, 2}, "R A B"},
      // Requirements of requirements come first, each once, in the order they are named.
      {{{"App", "Lib; Runtime"}, {"Lib", "Runtime"}, {"Runtime"}}, {0, 1, 2}, "Runtime Lib App"},
      // Only the programs of the selection are ordered.
      {{{"App", "Lib"}, {"Lib"}, {"Other"}}, {0, 2}, "App Other"},
      // A cycle keeps catalogue order among its programs, and what needs it comes after.
      {{{"X", "B"}, {"A", "B"}, {"B", "A"}}, {0, 1, 2}, "A B X"},
      {{{"A", "A"}, {"B"}}, {0, 1}, "A B"},
  };
  for (const Case& c : cases) {
    TProgramList list = Catalogue(c.catalogue);
    ProgramRules rules(list, kWin10x64);
    EXPECT_EQ(Names(rules, rules.InstallOrder(c.selected)), c.order);
  }
}

TEST(ProgramRules, PaneLines) {
  TProgramList list = Catalogue({{"App", "lib;RUNTIME", "Rival"},
                                 {"Lib", "Runtime"},
                                 {"Runtime"},
                                 {"Rival"},
                                 {"Other", "", "app"}});
  ProgramRules rules(list, kWin10x64);
  EXPECT_EQ(rules.InstallsFirstLine(0), "Installs first: Runtime, Lib.");
  EXPECT_EQ(rules.ExclusionsLine(0), "Cannot be installed together with: Rival, Other.");
  EXPECT_EQ(rules.ExclusionsLine(3), "Cannot be installed together with: App.");
  EXPECT_EQ(rules.InstallsFirstLine(2), "");
  EXPECT_EQ(rules.NotForThisComputerLine(0), "");
}

TEST(ProgramRules, Marks) {
  // 0 App needs Lib, Lib needs Runtime; 3 Rival excludes App; 4 Tool needs Rival; 5 Old is for
  // XP only.
  TProgramList list = Catalogue({{"App", "Lib"},
                                 {"Lib", "Runtime"},
                                 {"Runtime"},
                                 {"Rival", "", "App"},
                                 {"Tool", "Rival"},
                                 {"Old", "", "", "XP-XP"}});
  ProgramRules rules(list, kWin10x64);
  struct Case {
    const char* what;
    std::vector<size_t> marked;  // before
    std::vector<size_t> installed;
    bool mark;
    size_t program;
    const char* nowMarked;
    const char* nowUnmarked;
    bool refused;
  } cases[] = {
      {"brings its requirements", {}, {}, true, 0, "Runtime Lib App", "", false},
      {"not those installed", {}, {2}, true, 0, "Lib App", "", false},
      {"drops what it excludes and what needs that",
       {3, 4},
       {},
       true,
       0,
       "Runtime Lib App",
       "Rival Tool",
       false},
      {"and the other way round", {0, 1, 2}, {}, true, 3, "Rival", "App", false},
      {"not for this computer", {}, {}, true, 5, "", "", true},
      {"unmarking takes what needs it along",
       {0, 1, 2, 4},
       {},
       false,
       2,
       "",
       "Runtime Lib App",
       false},
  };
  for (const Case& c : cases) {
    auto isIn = [](const std::vector<size_t>& set) {
      return [&set](size_t i) { return std::find(set.begin(), set.end(), i) != set.end(); };
    };
    MarkChange change = c.mark ? MarkProgram(rules, c.program, isIn(c.marked), isIn(c.installed))
                               : UnmarkProgram(rules, c.program, isIn(c.marked));
    EXPECT_EQ(Names(rules, change.marked), c.nowMarked) << c.what;
    std::vector<size_t> unmarked = change.unmarked;
    std::sort(unmarked.begin(), unmarked.end());
    EXPECT_EQ(Names(rules, rules.InstallOrder(unmarked)), c.nowUnmarked) << c.what;
    EXPECT_EQ(change.refused, c.refused) << c.what;
  }
  // Mark All: the first of two that exclude each other stays, with its requirements; what is
  // not for this computer, or needs an excluded program, is left out.
  EXPECT_EQ(Names(rules, SelectPrograms(rules, {0, 1, 2, 3, 4, 5}, nullptr)), "App Lib Runtime");
  EXPECT_EQ(Names(rules, SelectPrograms(rules, {4}, nullptr)), "Rival Tool");
}

TEST(ProgramRules, CyclesAreFoundAndLongChainsNeedNoDeepStack) {
  TProgramList list = Catalogue({{"A", "C"}, {"B"}, {"C", "A"}, {"D", "E"}, {"E", "D"}});
  ProgramRules rules(list, kWin10x64);
  std::vector<std::vector<size_t>> cycles = rules.Cycles();
  ASSERT_EQ(cycles.size(), 2u);
  EXPECT_EQ(Names(rules, cycles[0]), "A C");
  EXPECT_EQ(Names(rules, cycles[1]), "D E");

  // A chain of 10,000 requirements, each on the next: no recursion runs out of stack.
  TProgramList chain;
  for (int i = 0; i < 10000; ++i) {
    auto entry = std::make_unique<TTallimoProg>();
    entry->Name = "P" + std::to_string(i);
    if (i + 1 < 10000) entry->Requires = {"P" + std::to_string(i + 1)};
    chain.push_back(std::move(entry));
  }
  chain.back()->Arch = "arm64";
  ProgramRules long_rules(chain, kWin10x64);
  std::vector<size_t> all(10000);
  for (size_t i = 0; i < all.size(); ++i) all[i] = i;
  std::vector<size_t> order = long_rules.InstallOrder(all);
  ASSERT_EQ(order.size(), 10000u);
  EXPECT_EQ(order.front(), 9999u);
  EXPECT_EQ(order.back(), 0u);
  EXPECT_FALSE(long_rules.Applicable(0));
}

}  // namespace
}  // namespace tallimo
