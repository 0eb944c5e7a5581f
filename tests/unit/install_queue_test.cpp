// The install queue over fakes: the order, the result table, Stop, Stop waiting, 1641, programs
// that cannot start, batch files, the log's lines, and the rules it is made of.
#include "install/install_queue.h"

#include <gtest/gtest.h>

#include "fakes/event_log.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_log_files.h"
#include "fakes/fake_process_runner.h"
#include "fakes/fixed_clock.h"
#include "fakes/scripted_random.h"
#include "install/install_line.h"
#include "install/install_plan.h"

namespace tallimo {
namespace {

using testing::FakeLogFiles;
using testing::FakeProcessRunner;

TEST(InstallQueueRules, ExitCodesGiveTheResultTable) {
  struct Case {
    uint32_t code;
    ExitCodeList success;
    const char* text;
  } cases[] = {
      {0, {}, "installed"},
      {2, {1, 2}, "installed"},
      {3010, {}, "installed, restart needed"},
      {1641, {}, "installed, restart started"},
      {5, {}, "failed (exit code 5)"},
      {1, {2}, "failed (exit code 1)"},
      {4294967295u, {}, "failed (exit code 4294967295)"},
      {4294967295u, {4294967295u}, "installed"},
  };
  for (const Case& c : cases) {
    QueueRow row{ResultOfExitCode(c.code, c.success), c.code, {}};
    EXPECT_EQ(StateText(row), c.text) << c.code;
  }
}

TEST(InstallQueueRules, SummaryLines) {
  EXPECT_EQ(SummaryText({3, 1, 0, 0}), "3 installed, 1 failed, 0 not started");
  EXPECT_EQ(SummaryText({0, 0, 2, 1}), "0 installed, 0 failed, 2 not started, 1 not waited for");
}

TEST(InstallQueueRules, LinesAreSplitAsWindowsSplitsACommandLine) {
  struct Case {
    const char* line;
    const char* program;
    const char* parameters;
  } cases[] = {
      {"SETUP.EXE /S", "SETUP.EXE", "/S"},
      {"\"e:\\My Setup\\setup.exe\" /quiet /x", "e:\\My Setup\\setup.exe", "/quiet /x"},
      {"  setup.exe \t /a  b ", "setup.exe", "/a  b "},
      {"\"unclosed quote /q", "unclosed quote /q", ""},
      {"\"a\"b c", "a", "b c"},
      {"single", "single", ""},
  };
  for (const Case& c : cases) {
    LineStart start = SplitCommandLine(c.line);
    EXPECT_EQ(start.program, c.program) << c.line;
    EXPECT_EQ(start.parameters, c.parameters) << c.line;
  }
  testing::EventLog log;
  testing::FakeFileSystem files(log);
  files.files["e:\\My Setup\\setup.exe"] = "";
  EXPECT_EQ(StartOfLine("e:\\My Setup\\setup.exe", files).program, "e:\\My Setup\\setup.exe");
  EXPECT_EQ(StartOfLine("e:\\My Setup\\setup.exe /q", files).program, "e:\\My");

  for (const char* program : {"setup", "A.EXE", "x.Com", "go.bat", "d:\\v1.2\\run", "b.cmd"})
    EXPECT_TRUE(IsProgramFile(program)) << program;
  for (const char* document : {"setup.msi", "readme.txt", "d:\\app.lnk", "x.exe.txt"})
    EXPECT_FALSE(IsProgramFile(document)) << document;
}

TEST(InstallQueueRules, LogNamesAndTimeStamps) {
  LocalTime t{2026, 3, 4, 3, 5, 6, 7};
  EXPECT_EQ(LogTimeStamp(t), "2026-03-04 05:06:07 ");
  EXPECT_EQ(LogFileName(t, 1), "Tallimo-20260304-050607.log");
  EXPECT_EQ(LogFileName(t, 3), "Tallimo-20260304-050607-3.log");
}

TEST(InstallQueueRules, PlanInCatalogueOrderAskingTheDriveOnce) {
  TProgramList programs;
  for (auto [name, line] : {std::pair{"Runtime", "%D:\\rt.exe"},
                            {"Empty", ""},
                            {"App", "%D:\\a"},
                            {"Unmarked", "u.exe"}}) {
    auto entry = std::make_unique<TTallimoProg>();
    entry->Name = name;
    if (*line) entry->InstallLines = {line};
    programs.push_back(std::move(entry));
  }
  InstallPlan plan = PlanInstall(
      {programs,
       PickedInOrder(programs, [](const TTallimoProg& e) { return e.Name != "Unmarked"; }),
       {},
       nullptr,
       nullptr,
       [] { return std::optional<char>('f'); },
       nullptr});
  ASSERT_EQ(plan.rows.size(), 2u);
  EXPECT_EQ(plan.leftOut, StringList{"Empty"});
  EXPECT_EQ(LeftOutText({"A", "B"}), std::string(kLeftOutMessage) + "\rA\rB");

  int asked = 0;
  plan = PlanInstall(
      {programs,
       PickedInOrder(programs, [](const TTallimoProg& e) { return e.Name != "Unmarked"; }),
       {},
       nullptr,
       nullptr,
       [&]() -> std::optional<char> {
         ++asked;
         return 'f';
       },
       nullptr});
  ASSERT_FALSE(plan.noDrive);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(plan.rows[0].lines, StringList{"f:\\rt.exe"});
  EXPECT_EQ(plan.rows[1].lines, StringList{"f:\\a"});
  EXPECT_TRUE(
      PlanInstall(
          {programs, {0, 2}, {}, nullptr, nullptr, [] { return std::optional<char>(); }, nullptr})
          .noDrive);
}

class InstallQueueTest : public ::testing::Test {
 protected:
  InstallQueueTest() : files(events) {
    environment.values["TEMP"] = "C:\\TEMP";
    environment.values["COMSPEC"] = "C:\\WINDOWS\\cmd.exe";
    files.folders.insert("C:\\TEMP");
    clock.time = {2026, 5, 1, 5, 9, 30, 0};
  }

  InstallQueue& Make(std::vector<QueuedProgram> programs) {
    queue = std::make_unique<InstallQueue>(
        QueueSeams{runner, files, environment, random, clock, logFiles, locale},
        std::move(programs), "D:\\DISC.INI");
    queue->OnEnded = [this] { ++endings; };
    return *queue;
  }
  std::vector<std::string> RowTexts() const {
    std::vector<std::string> texts;
    for (size_t i = 0; i < queue->Size(); ++i) texts.push_back(queue->RowText(i));
    return texts;
  }
  // The log's lines without their time stamps.
  std::vector<std::string> LogLines() {
    std::string bytes = logFiles.files[queue->LogPath()];
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    std::vector<std::string> lines;
    const std::string stamp = LogTimeStamp(clock.time);
    for (size_t at = 3; at < bytes.size();) {
      size_t end = bytes.find("\r\n", at);
      std::string line = bytes.substr(at, end - at);
      EXPECT_EQ(line.substr(0, stamp.size()), stamp);
      lines.push_back(line.substr(stamp.size()));
      at = end + 2;
    }
    return lines;
  }

  testing::EventLog events;
  testing::FakeEnvironment environment;
  testing::FakeFileSystem files;
  testing::ScriptedRandom random;
  testing::FixedClock clock;
  FakeLogFiles logFiles;
  testing::FakeLocale locale;
  FakeProcessRunner runner;
  std::unique_ptr<InstallQueue> queue;
  int endings = 0;
};

// Each program's commands run one at a time; every program gets its result from its codes.
TEST_F(InstallQueueTest, ResultsOfAQueueDrivenByItsEvents) {
  struct Step {
    enum { end, cannot, stop, stopWaiting } what;
    uint32_t code = 0;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> rows;
    const char* summary;
    bool restartQuestion;
  } cases[] = {
      {"three results",
       {{Step::end, 0}, {Step::end, 0}, {Step::end, 3010}, {Step::end, 5}},
       {"Runtime: installed", "Two lines: installed, restart needed", "Tool: failed (exit code 5)"},
       "2 installed, 1 failed, 0 not started",
       true},
      {"the first failing line counts, the next lines still run and their restart is asked for",
       {{Step::end, 0}, {Step::end, 7}, {Step::end, 3010}, {Step::end, 2}},
       {"Runtime: installed", "Two lines: failed (exit code 7)", "Tool: installed"},
       "2 installed, 1 failed, 0 not started",
       true},
      {"cannot start, the queue goes on",
       {{Step::cannot}, {Step::end, 0}, {Step::end, 0}, {Step::end, 0}},
       {"Runtime: failed (cannot start: File not found)", "Two lines: installed",
        "Tool: installed"},
       "2 installed, 1 failed, 0 not started",
       false},
      {"1641 ends the queue",
       {{Step::end, 1641}},
       {"Runtime: installed, restart started", "Two lines: not started (restart in progress)",
        "Tool: not started (restart in progress)"},
       "1 installed, 0 failed, 2 not started",
       false},
      {"a restart started after one needed asks nothing",
       {{Step::end, 0}, {Step::end, 3010}, {Step::end, 1641}},
       {"Runtime: installed", "Two lines: installed, restart started",
        "Tool: not started (restart in progress)"},
       "2 installed, 0 failed, 1 not started",
       false},
      {"stop lets the running program finish all its lines",
       {{Step::end, 0}, {Step::stop}, {Step::end, 0}, {Step::end, 0}},
       {"Runtime: installed", "Two lines: installed", "Tool: not started (stopped)"},
       "2 installed, 0 failed, 1 not started",
       false},
      {"stop waiting goes on with the next program",
       {{Step::stopWaiting}, {Step::end, 0}, {Step::end, 0}, {Step::end, 0}},
       {"Runtime: not waited for (still running)", "Two lines: installed", "Tool: installed"},
       "2 installed, 0 failed, 0 not started, 1 not waited for",
       false},
  };
  for (const Case& c : cases) {
    runner = FakeProcessRunner();
    endings = 0;
    InstallQueue& q = Make({{"Runtime", false, {"rt.exe /q"}, {}},
                            {"Two lines", false, {"a.exe", "readme.txt"}, {}},
                            {"Tool", false, {"tool.exe"}, {2}}});
    for (const Step& step : c.steps)
      if (step.what == Step::cannot) runner.starts.push_back(runner.CannotStart("File not found"));
    q.Begin();
    for (const Step& step : c.steps) {
      ASSERT_FALSE(q.Ended()) << c.name;
      if (step.what == Step::end) runner.End(step.code);
      if (step.what == Step::stop) q.Stop();
      if (step.what == Step::stopWaiting) q.StopWaiting();
    }
    EXPECT_TRUE(q.Ended()) << c.name;
    EXPECT_FALSE(runner.Waiting()) << c.name;
    EXPECT_EQ(endings, 1) << c.name;
    EXPECT_EQ(RowTexts(), c.rows) << c.name;
    EXPECT_EQ(q.Summary(), c.summary) << c.name;
    EXPECT_EQ(q.RestartNeeded(), c.restartQuestion) << c.name;
    EXPECT_EQ(q.DoneCount(), 3u) << c.name;
  }
}

TEST_F(InstallQueueTest, OneCommandAtATimeInOrderAndRowsShowRunningAndWaiting) {
  files.files["setup dir\\setup.exe"] = "";
  InstallQueue& q = Make({{"A", false, {"setup dir\\setup.exe", "\"x y\\i.exe\" /s"}, {}},
                          {"B", false, {"notes.txt"}, {}}});
  q.Begin();
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{"A: running", "B: waiting"}));
  EXPECT_EQ(q.CurrentCommand(), "setup dir\\setup.exe");
  EXPECT_EQ(runner.requests.size(), 1u);
  runner.End(0);
  EXPECT_EQ(runner.requests.size(), 2u);
  runner.End(0);
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{"A: installed", "B: running"}));
  EXPECT_EQ(q.DoneCount(), 1u);
  runner.End(0);
  EXPECT_EQ(runner.Commands(),
            (std::vector<std::string>{"setup dir\\setup.exe", "x y\\i.exe /s", "doc notes.txt"}));
  EXPECT_EQ(q.CurrentCommand(), "");
  // Each starts in the catalogue's folder, where lines from the disc's root resolve.
  for (const ProcessRequest& request : runner.requests) EXPECT_EQ(request.directory, "D:\\");
}

TEST_F(InstallQueueTest, ABatchFileRunsThroughTheInterpreterAndIsDeletedAfterwards) {
  random.Queue("abcd");
  InstallQueue& q = Make({{"Game", true, {"md e:\\g", "setup.exe"}, {}}});
  q.Begin();
  const std::string path = "C:\\TEMP\\TLM-abcd.bat";
  EXPECT_EQ(files.files[path], "md e:\\g\r\nsetup.exe\r\n");
  EXPECT_EQ(runner.Commands(),
            std::vector<std::string>{"C:\\WINDOWS\\cmd.exe /d /c \"" + path + "\""});
  runner.End(3010);
  EXPECT_FALSE(files.FileExists(path));
  EXPECT_EQ(q.RowText(0), "Game: installed, restart needed");

  // A batch file that cannot be written fails the program; the next one still runs.
  files.failAt = files.changes + 1;  // the next change: the batch file's write
  InstallQueue& broken = Make({{"Game", true, {"x"}, {}}, {"Next", false, {"n.exe"}, {}}});
  broken.Begin();
  EXPECT_EQ(broken.RowText(0),
            "Game: failed (cannot start: Cannot create file C:\\TEMP\\TLM-aaaa.bat)");
  runner.End(0);
  EXPECT_EQ(broken.RowText(1), "Next: installed");

  // The batch file in the OEM code page; a line it cannot hold writes nothing and fails the
  // program (the main window refuses such a queue before it starts: PlanInstall refuses it).
  files.failAt = 0;
  random.Queue("bbbb");
  InstallQueue& oem = Make(
      {{"Caf\u00E9", true, {"cd \\Caf\u00E9"}, {}}, {"\u0141", true, {"ok", "cd \\\u0141"}, {}}});
  oem.Begin();
  EXPECT_EQ(files.files["C:\\TEMP\\TLM-bbbb.bat"], "cd \\Caf\x82\r\n");
  runner.End(0);
  EXPECT_EQ(oem.RowText(1),
            "\u0141: failed (cannot start: line 2 holds characters that the command prompt cannot "
            "read)");
  TProgramList entries;
  for (bool isBatch : {false, true}) {
    auto entry = std::make_unique<TTallimoProg>();
    entry->Name = isBatch ? "B" : "A";
    entry->Batch = isBatch;
    entry->InstallLines = {"\u0141.exe"};
    entries.push_back(std::move(entry));
  }
  auto refusal = [&entries](std::vector<size_t> picked) {
    return PlanInstall({entries,
                        std::move(picked),
                        {TInstalledRule::irRun, &CodePage437()},
                        nullptr,
                        nullptr,
                        nullptr,
                        nullptr})
        .refusal;
  };
  EXPECT_EQ(refusal({0}), "");
  EXPECT_EQ(refusal({0, 1}),
            "B cannot be installed through a batch file: line 1 holds characters that the "
            "command prompt cannot read.");
}

TEST_F(InstallQueueTest, TheLogHoldsEveryEventInOrder) {
  InstallQueue& q = Make({{"Runtime", false, {"rt.exe /q"}, {}}, {"App", false, {"app.exe"}, {}}});
  ProcessStart inJob, alone;
  inJob.started = alone.started = true;
  alone.scope = TWaitScope::wsProcess;
  runner.starts = {inJob, alone};
  q.Begin();
  runner.End(0, 12345);
  runner.End(5, 400);
  EXPECT_EQ(q.LogPath(), "C:\\TEMP\\Tallimo-20260501-093000.log");
  EXPECT_FALSE(q.LogFailed());
  EXPECT_EQ(LogLines(), (std::vector<std::string>{
                            "Queue started: D:\\DISC.INI, 2 programs",
                            "Program 1 of 2: Runtime",
                            "Command: rt.exe /q",
                            "Exit code 0 after 12.3 s",
                            "Runtime: installed",
                            "Program 2 of 2: App",
                            "Command: app.exe",
                            "No job could be had: waiting for the program alone, not for what it "
                            "starts",
                            "Exit code 5 after 0.4 s",
                            "App: failed (exit code 5)",
                            "Queue ended: 1 installed, 1 failed, 0 not started",
                        }));
}

TEST_F(InstallQueueTest, ATakenLogNameIsNeverReplacedAndAMissingLogDoesNotStopTheQueue) {
  logFiles.taken = {"C:\\TEMP\\Tallimo-20260501-093000.log",
                    "C:\\TEMP\\Tallimo-20260501-093000-2.log"};
  InstallQueue& q = Make({{"A", false, {"a.exe"}, {}}});
  q.Begin();
  runner.End(0);
  EXPECT_EQ(q.LogPath(), "C:\\TEMP\\Tallimo-20260501-093000-3.log");
  EXPECT_EQ(LogLines().size(), 6u);

  logFiles.failCreate = true;
  InstallQueue& unlogged = Make({{"A", false, {"a.exe"}, {}}, {"B", false, {"b.exe"}, {}}});
  unlogged.Begin();
  runner.End(0);
  runner.End(0);
  EXPECT_TRUE(unlogged.LogFailed());
  EXPECT_EQ(unlogged.Summary(), "2 installed, 0 failed, 0 not started");

  // A log that fails half-way is reported too; the queue still ends.
  logFiles.failCreate = false;
  logFiles.failAfterAppends = 3;
  clock.time.second = 1;
  InstallQueue& cut = Make({{"A", false, {"a.exe"}, {}}, {"B", false, {"b.exe"}, {}}});
  int told = 0;  // an unattended run says so once on its console
  cut.OnLogFailed = [&told] { ++told; };
  cut.Begin();
  runner.End(0);
  runner.End(0);
  EXPECT_TRUE(cut.LogFailed());
  EXPECT_TRUE(cut.Ended());
  EXPECT_EQ(told, 1);
}

}  // namespace
}  // namespace tallimo
