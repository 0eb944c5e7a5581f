// Unattended installs: the command line's options, the plan over a catalogue, the exit code,
// and the queue's part (skipped rows, a log kept across runs, its lines passed on).
#include <gtest/gtest.h>

#include <algorithm>

#include "app/unattended.h"
#include "catalogue/catalogue_file.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_log_files.h"
#include "fakes/fake_process_runner.h"
#include "fakes/fixed_clock.h"
#include "fakes/scripted_random.h"

namespace tallimo {
namespace {

using Names = std::vector<std::string>;

TEST(UnattendedCommandLine, OptionsAndTheirErrors) {
  struct Case {
    const char* line;
    const char* catalogue;
    Names names;
    char drive;  // 0: none
    const char* log;
    bool quiet, reinstall, usage;
    const char* error;  // a part of it; "" for none
    Names presets = {};
  } cases[] = {
      {"T.exe /install /preset \"Office PC\" /quiet",
       "",
       {},
       0,
       "",
       true,
       false,
       false,
       "",
       {"Office PC"}},
      {"T.exe /install a /PRESET x -preset y",
       "",
       {"a"},
       0,
       "",
       false,
       false,
       false,
       "",
       {"x", "y"}},
      {"T.exe /preset x", "", {}, 0, "", false, false, false, "/preset needs /install", {"x"}},
      {"T.exe /install /preset", "", {}, 0, "", false, false, false, "/preset needs a value"},
      {"T.exe /install *", "", {"*"}, 0, "", false, false, false, ""},
      {"T.exe \"E:\\\" /install *", "E:\\", {"*"}, 0, "", false, false, false, ""},
      {"T.exe disc.ini -INSTALL Editor \"Paint Box\" /Drive E: /LOG c:\\l.log /quiet /reinstall",
       "disc.ini",
       {"Editor", "Paint Box"},
       'e',
       "c:\\l.log",
       true,
       true,
       false,
       ""},
      {"T.exe /install a /drive x /install b", "", {"a", "b"}, 'x', "", false, false, false, ""},
      {"T.exe /?", "", {}, 0, "", false, false, true, ""},
      {"T.exe /install a /bogus /?",
       "",
       {"a"},
       0,
       "",
       false,
       false,
       true,
       "Unknown option: /bogus"},
      {"T.exe /install", "", {}, 0, "", false, false, false, "/install needs the names"},
      {"T.exe /install a /quiet stray",
       "",
       {"a"},
       0,
       "",
       true,
       false,
       false,
       "Unexpected argument: stray"},
      {"T.exe /install a /drive", "", {"a"}, 0, "", false, false, false, "/drive needs a value"},
      {"T.exe /install a /drive ee", "", {"a"}, 0, "", false, false, false, "Not a drive letter"},
      {"T.exe /install a /log /quiet", "", {"a"}, 0, "", true, false, false, "/log needs a value"},
      // A quote left open: a usage error, and /quiet anywhere in the line still holds.
      {"T.exe /install \"Alpha /quiet",
       "",
       {"Alpha /quiet"},
       0,
       "",
       true,
       false,
       false,
       "A quote is not closed: \"Alpha /quiet"},
      {"T.exe \"C:\\d\\cat.ini /install a",
       "C:\\d\\cat.ini /install a",
       {},
       0,
       "",
       false,
       false,
       false,
       "A quote is not closed"},
      {"T.exe /install \"x -QUIET\"", "", {"x -QUIET"}, 0, "", true, false, false, ""},
      // The catalogue named after the programs.
      {"T.exe /install Alpha C:\\cat.INI",
       "",
       {"Alpha", "C:\\cat.INI"},
       0,
       "",
       false,
       false,
       false,
       "Name the catalogue before /install."},
      {"T.exe c.ini /install Beta.ini", "c.ini", {"Beta.ini"}, 0, "", false, false, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::optional<UnattendedOptions> o = ParseUnattended(c.line);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->catalogue, c.catalogue);
    EXPECT_EQ(o->names, c.names);
    EXPECT_EQ(o->drive.value_or(0), c.drive);
    EXPECT_EQ(o->logFile, c.log);
    EXPECT_EQ(o->quiet, c.quiet);
    EXPECT_EQ(o->reinstall, c.reinstall);
    EXPECT_EQ(o->usage, c.usage);
    EXPECT_EQ(o->presets, c.presets);
    if (*c.error)
      EXPECT_NE(o->error.find(c.error), std::string::npos) << o->error;
    else
      EXPECT_EQ(o->error, "");
  }
  // Without /install or /? the catalogue is chosen as ever, whatever else the line holds.
  for (const char* line : {"T.exe", "T.exe disc.ini", "T.exe disc.ini /quiet", "T.exe install *"})
    EXPECT_FALSE(ParseUnattended(line)) << line;
}

QueueRow Row(TQueueState state) {
  return {state, 0, {}};
}

TEST(UnattendedExitCode, TheFirstRowThatAppliesWins) {
  using S = TQueueState;
  struct Case {
    std::vector<S> states;
    bool leftOut;
    int code;
  } cases[] = {
      {{S::qsInstalled, S::qsAlreadyInstalled}, false, 0},
      {{}, false, 0},
      {{S::qsInstalled, S::qsRestartNeeded}, false, 3010},
      {{S::qsRestartNeeded, S::qsFailed}, false, 1},
      {{S::qsInstalled}, true, 1},
      {{S::qsCannotStart}, false, 1},
      {{S::qsRightsRefused}, false, 1},
      {{S::qsRestartStarted, S::qsRestartInProgress}, false, 1641},
      {{S::qsFailed, S::qsRestartStarted}, true, 1641},
      {{S::qsRestartNeeded, S::qsRestartStarted}, false, 1641},
  };
  for (const Case& c : cases) {
    std::vector<QueueRow> rows;
    for (S s : c.states) rows.push_back(Row(s));
    EXPECT_EQ(UnattendedExitCode(rows, c.leftOut), c.code) << c.states.size() << c.leftOut;
  }
}

class UnattendedPlanTest : public ::testing::Test {
 protected:
  UnattendedPlanTest() {
    ReadCatalogueText(
        "[Program1]\r\nName=Paint\r\nInstall1=%D:\\PAINT\\SETUP.EXE\r\n"
        "[Program2]\r\nName=Editor\r\nInstall1=ed.exe\r\n"
        "[Program3]\r\nName=EDITOR\r\nInstall1=second.exe\r\n"
        "[Program4]\r\nName=Readme\r\n",
        cat);
  }
  UnattendedPlan Plan(const char* line, const std::string& path = "D:\\DISC.INI",
                      std::vector<const TTallimoProg*> installed = {}) {
    return PlanUnattended(*ParseUnattended(line), cat, path, locale, installed,
                          SystemInfo{6, 1, 7601, TArch::arX64});
  }
  static Names NamesOf(const UnattendedPlan& plan) {
    Names names;
    for (const QueuedProgram& p : plan.programs)
      names.push_back(p.name + (p.skip ? " (skip)" : ""));
    return names;
  }
  Catalogue cat;
  testing::FakeLocale locale;
};

TEST_F(UnattendedPlanTest, NamesPickEntriesInCatalogueOrder) {
  UnattendedPlan plan = Plan("T /install editor paint");
  EXPECT_EQ(plan.error, "");
  EXPECT_EQ(NamesOf(plan), (Names{"Paint", "Editor"}));
  EXPECT_EQ(plan.programs[0].lines, (StringList{"d:\\PAINT\\SETUP.EXE"}));  // the catalogue's drive
  EXPECT_EQ(plan.programs[1].lines, (StringList{"ed.exe"}));  // the first of equal names
  plan = Plan("T /install * /drive F");
  // Readme has no install lines: a row that fails, counted with the others.
  EXPECT_EQ(NamesOf(plan), (Names{"Readme", "Paint", "Editor", "EDITOR"}));
  EXPECT_EQ(plan.leftOut, (StringList{"Readme"}));
  EXPECT_EQ(StateText(*plan.programs[0].decided), "failed (no installation procedure)");
  EXPECT_EQ(plan.programs[1].lines, (StringList{"f:\\PAINT\\SETUP.EXE"}));
  EXPECT_EQ(Plan("T /install Editor Nobody").error, "No program of the catalogue is named Nobody");
}

TEST_F(UnattendedPlanTest, PresetsAddTheirProgramsToTheNames) {
  cat.ProgramList[0]->Presets = {"Office PC"};
  cat.ProgramList[2]->Presets = {"office pc"};  // EDITOR: the list reaches Editor, not it
  cat.ProgramList[1]->Presets = {"Tools"};
  EXPECT_EQ(NamesOf(Plan("T /install /preset \"OFFICE PC\"")), (Names{"Paint"}));
  EXPECT_EQ(NamesOf(Plan("T /install paint /preset tools /preset \"office pc\"")),
            (Names{"Paint", "Editor"}));
  EXPECT_EQ(Plan("T /install /preset Games").error, "No preset of the catalogue is named Games");
}

TEST_F(UnattendedPlanTest, ADriveTokenNeedsADriveLetterSomewhere) {
  EXPECT_NE(Plan("T /install Paint", "\\\\server\\disc\\DISC.INI").error.find("/drive"),
            std::string::npos);
  EXPECT_EQ(Plan("T /install Paint /drive e", "\\\\server\\disc\\DISC.INI").error, "");
  EXPECT_EQ(Plan("T /install Editor", "\\\\server\\disc\\DISC.INI").error, "");
  // An installed program is not run: its token needs no drive.
  EXPECT_EQ(
      Plan("T /install Paint", "\\\\server\\disc\\DISC.INI", {cat.ProgramList[0].get()}).error, "");
}

TEST_F(UnattendedPlanTest, InstalledProgramsAreSkippedUnlessReinstalled) {
  const std::vector<const TTallimoProg*> installed{cat.ProgramList[1].get()};
  EXPECT_EQ(NamesOf(Plan("T /install paint editor", "D:\\DISC.INI", installed)),
            (Names{"Paint", "Editor (skip)"}));
  EXPECT_EQ(NamesOf(Plan("T /install paint editor /reinstall", "D:\\DISC.INI", installed)),
            (Names{"Paint", "Editor"}));
}

// The queue's part of an unattended run (the log's lines: the end-to-end test).
TEST(UnattendedQueue, SkippedRowsRunNothingConsolesAreHiddenAndTheLogIsAddedTo) {
  testing::FakeEnvironment environment;
  testing::FakeFileSystem files;
  testing::ScriptedRandom random;
  testing::FixedClock clock;
  testing::FakeLogFiles logFiles;
  testing::FakeProcessRunner runner;
  testing::FakeLocale locale;
  logFiles.files["C:\\disc.log"] = "earlier run\r\n";
  QueuedProgram skipped{"Editor", false, {"ed.exe"}, {}};
  skipped.skip = true;
  InstallQueue queue({runner, files, environment, random, clock, logFiles, locale},
                     {skipped, {"Paint", false, {"paint.exe"}, {}}}, "D:\\DISC.INI");
  queue.LogFileGiven = "C:\\disc.log";
  queue.HideConsoles = true;
  int lines = 0;
  queue.OnLogLine = [&lines](const std::string&) { ++lines; };
  ProcessStart started;
  started.started = true;
  runner.starts = {started};
  queue.Begin();
  ASSERT_EQ(runner.Commands(), (Names{"paint.exe"}));
  EXPECT_TRUE(runner.requests[0].hideConsole);
  runner.End(0);
  EXPECT_EQ(queue.RowText(0), "Editor: skipped (already installed)");
  EXPECT_EQ(queue.Summary(), "2 installed, 0 failed, 0 not started");
  const std::string& log = logFiles.files["C:\\disc.log"];
  EXPECT_EQ(log.rfind("earlier run\r\n" + LogTimeStamp(clock.time) + "Queue started", 0), 0u);
  EXPECT_EQ(static_cast<int>(std::count(log.begin(), log.end(), '\n')), lines + 1);
}

}  // namespace
}  // namespace tallimo
