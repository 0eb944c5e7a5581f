// The planner over the options of its four front ends: the main window's marks (ask, refuse),
// the single Install (one row, asked before), the unattended run (skip, a fixed drive, a row
// that fails later) and the elevated copy (the order given, nothing asked).
#include "install/install_plan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/program_groups.h"

namespace tallimo {
namespace {

TEST(InstallPlan, FrontEndsDifferOnlyInTheirOptions) {
  TProgramList programs;
  for (auto [name, batch, line] : {std::tuple{"Runtime", false, "%D:\\rt.exe"},
                                   {"Empty", false, ""},
                                   {"Installed", false, "i.exe"},
                                   {"Unreadable", true, "\u0141.exe"},
                                   {"App", true, "%D:\\app.exe"}}) {
    auto entry = std::make_unique<TTallimoProg>();
    entry->Name = name;
    entry->Batch = batch;
    if (*line) entry->InstallLines = {line};
    programs.push_back(std::move(entry));
  }
  using R = TInstalledRule;
  const CodePage* oem = &CodePage437();
  struct Case {
    const char* frontEnd;
    std::vector<size_t> picked;
    PlanOptions options;
    bool reinstall;                 // the answer to the question
    std::optional<char> drive;      // the answer to the Drive dialog
    std::vector<std::string> rows;  // "<n> <name>: <first line>", "(skip)" for a skipped one
    std::string leftOut, refusal, needsDrive;
    int questions;  // reinstall and drive questions asked
  } cases[] = {
      {"marks, one unreadable",
       {0, 1, 2, 3, 4},
       {R::irAsk, oem},
       false,
       'e',
       {},
       "Empty",
       "Unreadable cannot be installed through a batch file: line 1 holds characters that the "
       "command prompt cannot read.",
       "",
       0},
      {"marks, No",
       {0, 1, 2, 4},
       {R::irAsk, oem},
       false,
       'e',
       {"1 Runtime: e:\\rt.exe", "3 Installed: (skip)", "5 App: e:\\app.exe"},
       "Empty",
       "",
       "",
       2},
      {"marks, Yes",
       {0, 2, 4},
       {R::irAsk, oem},
       true,
       'e',
       {"1 Runtime: e:\\rt.exe", "3 Installed: i.exe", "5 App: e:\\app.exe"},
       "",
       "",
       "",
       2},
      {"marks, drive left", {0, 4}, {R::irAsk, oem}, true, std::nullopt, {}, "", "", "Runtime", 1},
      {"single Install", {2}, {R::irRun, oem}, false, 'e', {"3 Installed: i.exe"}, "", "", "", 0},
      {"single Install, no lines", {1}, {R::irRun, oem}, false, 'e', {}, "Empty", "", "", 0},
      {"unattended",
       {0, 2, 3},
       {R::irSkip, nullptr},
       false,
       'd',
       {"1 Runtime: d:\\rt.exe", "3 Installed: (skip)", "4 Unreadable: \u0141.exe"},
       "",
       "",
       "",
       1},
      {"unattended, no drive",
       {2, 4},
       {R::irSkip, nullptr},
       false,
       std::nullopt,
       {},
       "",
       "",
       "App",
       1},
      {"elevated copy",
       {4, 2, 0},
       {R::irRun, nullptr},
       false,
       'f',
       {"5 App: f:\\app.exe", "3 Installed: i.exe", "1 Runtime: f:\\rt.exe"},
       "",
       "",
       "",
       1},
  };
  for (const Case& c : cases) {
    int questions = 0;
    std::string leftOut;
    InstallPlan plan =
        PlanInstall({programs, c.picked, c.options,
                     [](const TTallimoProg& entry) { return entry.Name == "Installed"; },
                     [&](const std::vector<const TTallimoProg*>& installed) {
                       ++questions;
                       EXPECT_EQ(installed.size(), 1u) << c.frontEnd;
                       return c.reinstall;
                     },
                     [&] {
                       ++questions;
                       return c.drive;
                     },
                     [&](const StringList& names) {
                       EXPECT_EQ(questions, 0) << c.frontEnd << ": told before any question";
                       for (const std::string& name : names) leftOut += name;
                     }});
    std::vector<std::string> rows;
    for (size_t i = 0; i < plan.rows.size(); ++i) {
      const QueuedProgram& row = plan.rows[i];
      rows.push_back(std::to_string(row.number) + " " + row.name + ": " +
                     (row.skip ? "(skip)" : row.lines.at(0)));
      EXPECT_EQ(plan.entries.at(i)->Name, row.name) << c.frontEnd;
    }
    EXPECT_EQ(rows, c.rows) << c.frontEnd;
    EXPECT_EQ(leftOut, c.leftOut) << c.frontEnd;
    EXPECT_EQ(plan.leftOut.size(), c.leftOut.empty() ? 0u : 1u) << c.frontEnd;
    EXPECT_EQ(plan.refusal, c.refusal) << c.frontEnd;
    EXPECT_EQ(plan.noDrive, !c.needsDrive.empty()) << c.frontEnd;
    EXPECT_EQ(plan.needsDrive, c.needsDrive) << c.frontEnd;
    EXPECT_EQ(questions, c.questions) << c.frontEnd;
  }
}

}  // namespace
}  // namespace tallimo

namespace tallimo {
namespace {

// The catalogue's rules in the plan: requirements added and moved before their dependents,
// exclusions and conditions decided before anything runs, and named programs refused.
TEST(InstallPlan, TheRulesAddOrderAndDecide) {
  TProgramList programs;
  struct Program {
    const char* name;
    const char* needs;
    const char* excludes;
    const char* arch;
  };
  for (const Program& s : {Program{"App", "Lib", "", ""},
                           {"Lib", "Runtime", "", ""},
                           {"Runtime", "", "", ""},
                           {"ScanA", "", "ScanB", ""},
                           {"ScanB", "", "", ""},
                           {"Arm", "", "", "arm64"},
                           {"Tool", "Arm", "", ""}}) {
    auto entry = std::make_unique<TTallimoProg>();
    entry->Name = s.name;
    entry->InstallLines = {std::string(s.name) + ".exe"};
    entry->Requires = SplitPresets(s.needs);
    entry->Excludes = SplitPresets(s.excludes);
    entry->Arch = s.arch;
    programs.push_back(std::move(entry));
  }
  const ProgramRules rules(programs, SystemInfo{10, 0, 19045, TArch::arX64});
  struct Case {
    const char* what;
    std::vector<size_t> picked, named, installed;
    bool refuse;
    std::vector<std::string> rows;  // "<name>" or "<name>: <decided result>", then "<- rows"
    std::string error;
    size_t notes;
  } cases[] = {
      {"requirements come first, once",
       {0},
       {0},
       {},
       true,
       {"Runtime", "Lib <- 0", "App <- 1"},
       "",
       2},
      {"an installed one is not added", {0}, {0}, {2}, true, {"Lib", "App <- 0"}, "", 1},
      {"named rivals refuse the plan",
       {3, 4},
       {3, 4},
       {},
       true,
       {},
       "ScanA and ScanB cannot be installed together",
       0},
      {"under *, the first stays",
       {3, 4},
       {},
       {},
       true,
       {"ScanA", "ScanB: skipped (excluded by ScanA)"},
       "",
       0},
      {"named and not for this computer: failed",
       {5, 6},
       {5},
       {},
       true,
       {"Arm: failed (not for this computer: it needs arm64 Windows)",
        "Tool: skipped (not for this computer) <- 0"},
       "",
       0},
  };
  for (const Case& c : cases) {
    auto isIn = [](const std::vector<size_t>& set, size_t i) {
      return std::find(set.begin(), set.end(), i) != set.end();
    };
    InstallPlan plan =
        PlanInstall({programs,
                     c.picked,
                     {TInstalledRule::irSkip, nullptr, &rules, c.refuse},
                     [&](const TTallimoProg& e) { return isIn(c.installed, rules.IndexOf(&e)); },
                     nullptr,
                     nullptr,
                     nullptr,
                     [&](size_t i) { return isIn(c.named, i); }});
    std::vector<std::string> rows;
    for (const QueuedProgram& row : plan.rows) {
      std::string text = row.name;
      if (row.decided) text += ": " + StateText(*row.decided);
      for (size_t k = 0; k < row.needs.size(); ++k)
        text += (k ? "," : " <- ") + std::to_string(row.needs[k]);
      rows.push_back(text);
    }
    EXPECT_EQ(rows, c.rows) << c.what;
    EXPECT_EQ(plan.error, c.error) << c.what;
    EXPECT_EQ(plan.notes.size(), c.notes) << c.what;
  }
}

}  // namespace
}  // namespace tallimo
