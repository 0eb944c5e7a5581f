// Handing the rest of the queue to the elevated copy: what crosses (the copy's command line,
// events, control lines) read back exactly and garbled or truncated lines refused, the copy's
// refusals (a changed catalogue, bad arguments), and the queue over
// fakes handing over, taking the copy's rows back, forwarding Stop, and going on in-process
// when the rights are refused.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "fakes/event_log.h"
#include "fakes/fake_elevated_runner.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_hasher.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_log_files.h"
#include "fakes/fake_process_runner.h"
#include "fakes/fixed_clock.h"
#include "fakes/scripted_random.h"
#include "install/elevated_queue.h"
#include "install/install_queue.h"

namespace tallimo {
namespace {

using TElevationResult = ElevatedRunner::TElevationResult;

TEST(ElevatedQueueText, TheCopysCommandLineReadsBackExactly) {
  HandOver handOver{"D:\\My Disc\\DISC.INI", std::string(64, 'a'), 'e', "q12-34-1", {3, 1, 12}, {}};
  std::optional<ElevatedArguments> back = ParseElevatedQueue(
      CommandLineArguments("\"D:\\Tallimo.exe\" " + ElevatedQueueParameters(handOver)));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->error, "");
  EXPECT_EQ(back->handOver.cataloguePath, handOver.cataloguePath);
  EXPECT_EQ(back->handOver.digest, handOver.digest);
  EXPECT_EQ(back->handOver.drive, handOver.drive);
  EXPECT_EQ(back->handOver.channel, handOver.channel);
  EXPECT_EQ(back->handOver.numbers, handOver.numbers);
  handOver.drive.reset();
  back = ParseElevatedQueue(CommandLineArguments("T.exe " + ElevatedQueueParameters(handOver)));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->handOver.drive, std::nullopt);
  // The old hand-over option and a quoted catalogue are no hand-over at all.
  for (const char* line : {"Tallimo.exe /queue-worker* C:\\q.txt", "Tallimo.exe D:\\DISC.INI",
                           "Tallimo.exe /Elevated-Queue c.ini"})
    EXPECT_FALSE(ParseElevatedQueue(CommandLineArguments(line))) << line;
  EXPECT_EQ(ChooseIniFileName("Tallimo.exe /queue-worker* C:\\q.txt", "D:\\Tallimo.exe"),
            "/queue-worker*");
}

// The copy runs exactly the numbered programs of the catalogue it read itself, in the order
// given; anything else runs nothing and says why.
TEST(ElevatedQueueText, TheCopyRefusesAChangedCatalogueAndBadArguments) {
  const std::string ini =
      "[Program1]\nName=One\nInstall1=one.exe\n[Program2]\nName=Two\nBatch=1\nSuccessCodes=7\n"
      "Install1=%D:\\two.exe\n[Program3]\nName=Empty\n";
  testing::FakeFileSystem files;
  files.files["D:\\DISC.INI"] = ini;
  files.files["D:\\LOCKED.INI"] = ini;
  files.unreadable.insert("D:\\LOCKED.INI");
  testing::FakeHasher hasher;
  const std::string digest = *hasher.Sha256Hex(ini);
  const std::string other = *hasher.Sha256Hex(ini + " ");
  struct Case {
    std::string line;
    std::string refusal;  // "": runs
    std::vector<std::string> rows;
  } cases[] = {
      {"\"D:\\DISC.INI\" " + digest + " e ch-1 2 1", "", {"Two e:\\two.exe", "One one.exe"}},
      {"\"D:\\DISC.INI\" " + other + " e ch-1 2 1", kCatalogueChangedMessage, {}},
      {"\"D:\\LOCKED.INI\" " + digest + " e ch-1 1", "Unable to read D:\\LOCKED.INI", {}},
      {"\"D:\\NONE.INI\" " + digest + " e ch-1 1", "Unable to read D:\\NONE.INI", {}},
      {"\"D:\\DISC.INI\" " + digest + " e ch-1 4", "the catalogue has no program 4", {}},
      {"\"D:\\DISC.INI\" " + digest + " e ch-1 1 3", "Empty has no installation procedure", {}},
      {"\"D:\\DISC.INI\" " + digest + " - ch-1 1 2", "Two needs a drive for %D:", {}},
      {"\"D:\\DISC.INI\" " + digest + " e ch-1 1 0", "bad argument: program number 0", {}},
      {"\"D:\\DISC.INI\" " + digest + " e ch-1 x", "bad argument: program number x", {}},
      {"\"D:\\DISC.INI\" " + digest + " ef ch-1 1", "bad argument: drive ef", {}},
      {"\"D:\\DISC.INI\" " + digest.substr(1) + " e ch-1 1",
       "bad argument: digest " + digest.substr(1),
       {}},
      {"\"D:\\DISC.INI\" " + digest + " e ch/1 1", "bad argument: channel ch/1", {}},
      {"\"D:\\DISC.INI\" " + digest + " e ch-1",
       "bad argument: the hand-over needs a catalogue, a digest, a drive, a channel and program "
       "numbers",
       {}},
  };
  for (const Case& c : cases) {
    std::optional<ElevatedArguments> arguments =
        ParseElevatedQueue(CommandLineArguments("T.exe /elevated-queue " + c.line));
    ASSERT_TRUE(arguments) << c.line;
    const ElevatedRows rows = PlanElevatedCopy(*arguments, files, hasher, Windows1252());
    EXPECT_EQ(rows.refusal, c.refusal) << c.line;
    std::vector<std::string> texts;
    for (const QueuedProgram& program : rows.programs)
      texts.push_back(program.name + " " + program.lines.at(0));
    EXPECT_EQ(texts, c.rows) << c.line;
  }
  // A channel that cannot name a file leaves the channel empty: nothing can be reported.
  EXPECT_EQ(
      ParseElevatedQueue(CommandLineArguments("T.exe /elevated-queue c " + digest + " e ..\\x 1"))
          ->handOver.channel,
      "");
  // The menu's side seals a hand-over only while the file gives the rows it planned.
  HandOver handOver{"D:\\DISC.INI", {}, 'e', "ch", {2}, {}};
  handOver.programs = RowsOfCatalogue(ini, {2}, 'e', Windows1252()).programs;
  EXPECT_EQ(SealHandOver(handOver, files, hasher, Windows1252()), "");
  EXPECT_EQ(handOver.digest, digest);
  handOver.programs[0].lines = {"e:\\other.exe"};
  EXPECT_EQ(SealHandOver(handOver, files, hasher, Windows1252()), kCatalogueChangedMessage);
}

// The copy's rows wait for the requirements handed over with them, as the menu's would.
TEST(ElevatedQueueText, TheCopysRowsWaitForTheirRequirements) {
  const ElevatedRows rows = RowsOfCatalogue(
      "[Program1]\nName=App\nRequires=Runtime;Tool\nInstall1=a.exe\n"
      "[Program2]\nName=Runtime\nInstall1=r.exe\n[Program3]\nName=Tool\nInstall1=t.exe\n",
      {2, 1}, std::nullopt, Windows1252());
  ASSERT_EQ(rows.programs.size(), 2u);
  EXPECT_TRUE(rows.programs[0].needs.empty());
  EXPECT_EQ(rows.programs[1].needs, (std::vector<size_t>{0}));  // Tool stayed with the menu
}

TEST(ElevatedQueueText, EventsReadBackAndGarbledOnesAreDropped) {
  // Each line reads back into an event that is written as the same line.
  for (const char* line :
       {"row 0 running 0 ", "row 2 failed 4294967295 ",
        "row 1 cannot-start 0 Bad \\\\ file\\r\\nname", "row 7 rights-refused 0 ",
        "command C:\\\\x.exe /q", "command ", "log 2026-05-01 09:30:00 Exit code 3010", "end"}) {
    std::optional<WorkerEvent> event = ParseEventLine(line);
    ASSERT_TRUE(event) << line;
    EXPECT_EQ(EventLine(*event), line);
  }
  WorkerEvent row = *ParseEventLine("row 1 cannot-start 0 Bad \\\\ file\\r\\nname");
  EXPECT_EQ(row.kind, TWorkerEventKind::weRow);
  EXPECT_EQ(row.row, 1u);
  EXPECT_EQ(StateText(row.result), "failed (cannot start: Bad \\ file\r\nname)");
  for (const char* line :
       {"", "end ", "ended", "row", "row 1", "row 1 installed", "row x installed 0 ",
        "row 1 happy 0 ", "row 1 failed -5 ", "row 1 failed 5x ", "row 99999999999 installed 0 ",
        "command a\\", "log \\t", "stop"})
    EXPECT_FALSE(ParseEventLine(line)) << line;
}

TEST(ElevatedQueueText, ControlLinesAndLinesStillBeingWritten) {
  EXPECT_EQ(ControlLine({TWorkerControlKind::wcStop, 0}), "stop");
  EXPECT_EQ(ControlLine({TWorkerControlKind::wcStopWaiting, 3}), "stop-waiting 3");
  std::optional<WorkerControl> control = ParseControlLine("stop-waiting 3");
  ASSERT_TRUE(control);
  EXPECT_EQ(control->kind, TWorkerControlKind::wcStopWaiting);
  EXPECT_EQ(control->row, 3u);
  EXPECT_EQ(ParseControlLine("stop")->kind, TWorkerControlKind::wcStop);
  EXPECT_EQ(ParseControlLine(ControlLine({TWorkerControlKind::wcReadToEnd, 0}))->kind,
            TWorkerControlKind::wcReadToEnd);
  for (const char* line :
       {"", "stop ", "stop-waiting", "stop-waiting -1", "stop-waiting 3 4", "read-to-end 0"})
    EXPECT_FALSE(ParseControlLine(line)) << line;

  std::string buffer = "end\r\nrow 0 runn";
  EXPECT_EQ(TakeCompleteLines(buffer), std::vector<std::string>{"end"});
  EXPECT_EQ(buffer, "row 0 runn");
  EXPECT_TRUE(TakeCompleteLines(buffer).empty());
  buffer += "ing 0 \n\ncommand x\n";
  EXPECT_EQ(TakeCompleteLines(buffer),
            (std::vector<std::string>{"row 0 running 0 ", "", "command x"}));
  EXPECT_EQ(buffer, "");
}

class ElevatedQueueTest : public ::testing::Test {
 protected:
  ElevatedQueueTest() : files(events) {
    environment.values["TEMP"] = "C:\\TEMP";
    environment.values["COMSPEC"] = "C:\\WINDOWS\\cmd.exe";
    files.folders.insert("C:\\TEMP");
  }
  // Each program numbered as the catalogue's Program<n>, n from 1.
  InstallQueue& Make(std::vector<QueuedProgram> programs) {
    for (size_t i = 0; i < programs.size(); ++i) programs[i].number = i + 1;
    QueueSeams seams{runner, files, environment, random, clock, logFiles, locale};
    seams.elevated = &elevated;
    queue = std::make_unique<InstallQueue>(seams, std::move(programs), "D:\\DISC.INI");
    return *queue;
  }
  std::vector<std::string> RowTexts() const {
    std::vector<std::string> texts;
    for (size_t i = 0; i < queue->Size(); ++i) texts.push_back(queue->RowText(i));
    return texts;
  }
  static ProcessStart Runs() {
    ProcessStart start;
    start.started = true;
    return start;
  }
  static ProcessStart NeedsRights() {
    ProcessStart start =
        testing::FakeProcessRunner::CannotStart("The requested operation requires elevation", 740);
    start.elevationRequired = true;
    return start;
  }
  const std::string& Log() { return logFiles.files[queue->LogPath()]; }

  testing::EventLog events;
  testing::FakeEnvironment environment;
  testing::FakeFileSystem files;
  testing::ScriptedRandom random;
  testing::FixedClock clock;
  testing::FakeLogFiles logFiles;
  testing::FakeLocale locale;
  testing::FakeProcessRunner runner;
  testing::FakeElevatedRunner elevated;
  std::unique_ptr<InstallQueue> queue;
};

TEST_F(ElevatedQueueTest, AProgramNeedingRightsHandsTheRestToOneCopyAndShowsItsRows) {
  InstallQueue& q = Make({{"Runtime", false, {"rt.exe"}, {}},
                          {"App", false, {"pre.exe", "app.exe /q"}, {}},
                          {"Tools", true, {"tools.exe"}, {7}},
                          {"Docs", false, {"docs.exe"}, {}}});
  runner.starts = {Runs(), Runs(), NeedsRights()};
  q.Begin();
  runner.End(0);  // Runtime
  runner.End(0);  // App's first line; its second asks for the rights
  ASSERT_EQ(elevated.handOvers.size(), 1u);
  const HandOver& handed = elevated.handOvers[0];
  EXPECT_EQ(handed.cataloguePath, "D:\\DISC.INI");
  EXPECT_EQ(handed.numbers, (std::vector<size_t>{2, 3, 4}));
  ASSERT_EQ(handed.programs.size(), 3u);
  // The copy runs the program from its first line: it finds it by number.
  EXPECT_EQ(handed.programs[0].lines, (StringList{"pre.exe", "app.exe /q"}));
  EXPECT_EQ(handed.programs[1].name, "Tools");
  EXPECT_EQ(handed.programs[1].successCodes, ExitCodeList{7});
  EXPECT_EQ(runner.requests.size(), 3u);  // nothing more starts here

  elevated.Event("row 0 running 0 ");
  elevated.Event("command app.exe /q");
  EXPECT_EQ(q.CurrentCommand(), "app.exe /q");
  elevated.Event("log 2026-05-01 09:30:00 Exit code 3010 after 1.0 s");
  elevated.Event("row 0 restart-needed 3010 ");
  elevated.Event("row 1 running 0 ");
  q.StopWaiting();
  q.Stop();
  elevated.Event("row 1 not-waited-for 0 ");
  elevated.Event("row 2 stopped 0 ");
  EXPECT_FALSE(q.Ended());
  elevated.Event("end");
  EXPECT_EQ(elevated.forwarded, (std::vector<std::string>{"stop-waiting 1", "stop"}));
  EXPECT_TRUE(q.Ended());
  EXPECT_EQ(RowTexts(),
            (std::vector<std::string>{"Runtime: installed", "App: installed, restart needed",
                                      "Tools: not waited for (still running)",
                                      "Docs: not started (stopped)"}));
  EXPECT_EQ(q.Summary(), "2 installed, 0 failed, 1 not started, 1 not waited for");
  EXPECT_TRUE(q.RestartNeeded());
  EXPECT_EQ(q.CurrentCommand(), "");
  // One log: the copy's lines as they came, between the queue's own.
  const std::string& log = Log();
  const size_t handing = log.find("Administrator rights needed");
  const size_t copied = log.find("\r\n2026-05-01 09:30:00 Exit code 3010 after 1.0 s\r\n");
  const size_t ended =
      log.find("Queue ended: 2 installed, 0 failed, 1 not started, 1 not waited for");
  EXPECT_NE(handing, std::string::npos);
  EXPECT_NE(copied, std::string::npos);
  EXPECT_NE(ended, std::string::npos);
  EXPECT_LT(handing, copied);
  EXPECT_LT(copied, ended);
}

// Nothing of the rest runs when the changes are not saved for the copy, when the catalogue no
// longer gives the rows planned, or when the copy refuses; skipped programs are never handed.
TEST_F(ElevatedQueueTest, UnsavedChangesAChangedCatalogueAndTheCopysRefusalRunNothing) {
  struct Case {
    const char* name;
    bool saved;
    TElevationResult answer;
    const char* event;  // the copy's, "" for none
    std::vector<std::string> rows;
  } cases[] = {
      {"not saved",
       false,
       TElevationResult::erStarted,
       "",
       {"A: installed", "B: not started (changes not saved)", "C: skipped (already installed)",
        "D: not started (changes not saved)"}},
      {"changed",
       true,
       TElevationResult::erRejected,
       "",
       {"A: installed", "B: failed (the catalogue changed after it was read)",
        "C: skipped (already installed)", "D: failed (the catalogue changed after it was read)"}},
      {"refused by the copy",
       true,
       TElevationResult::erStarted,
       "refused the catalogue changed after it was read",
       {"A: installed", "B: failed (the catalogue changed after it was read)",
        "C: skipped (already installed)", "D: failed (the catalogue changed after it was read)"}},
  };
  for (const Case& c : cases) {
    std::vector<QueuedProgram> programs = {{"A", false, {"a.exe"}, {}},
                                           {"B", false, {"b.exe"}, {}},
                                           {"C", false, {"c.exe"}, {}},
                                           {"D", true, {"d.exe"}, {}}};
    programs[2].skip = true;
    elevated = testing::FakeElevatedRunner();
    elevated.answer = c.answer;
    elevated.failure = kCatalogueChangedMessage;
    InstallQueue& q = Make(std::move(programs));
    q.ConfirmHandOver = [&c] { return c.saved; };
    runner.starts = {Runs(), NeedsRights()};
    q.Begin();
    runner.End(0);
    if (*c.event) elevated.Event(c.event);
    EXPECT_TRUE(q.Ended()) << c.name;
    EXPECT_EQ(RowTexts(), c.rows) << c.name;
    EXPECT_EQ(elevated.handOvers.size(), c.saved ? 1u : 0u) << c.name;
    if (c.saved) {
      EXPECT_EQ(elevated.handOvers[0].numbers, (std::vector<size_t>{2, 4})) << c.name;
    }
    EXPECT_EQ(runner.requests.size(), 2u) << c.name;  // nothing ran here after the hand-over
    runner.requests.clear();
  }
}

TEST_F(ElevatedQueueTest, RefusedRightsFailThatProgramAndTheRestRunHereWithoutAskingAgain) {
  InstallQueue& q = Make({{"Admin", true, {"setup.exe"}, {}},
                          {"Plain", false, {"plain.exe"}, {}},
                          {"Admin2", false, {"a.exe", "b.exe"}, {}}});
  elevated.answer = TElevationResult::erRefused;
  runner.starts = {NeedsRights(), Runs(), NeedsRights()};
  q.Begin();
  runner.End(0);  // Plain, in-process
  EXPECT_TRUE(q.Ended());
  EXPECT_EQ(elevated.handOvers.size(), 1u);  // one question for the whole queue
  EXPECT_EQ(runner.Commands(),
            (std::vector<std::string>{"C:\\WINDOWS\\cmd.exe /d /c \"C:\\TEMP\\TLM-aaaa.bat\"",
                                      "plain.exe", "a.exe"}));
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{
                            "Admin: failed (administrator rights refused)", "Plain: installed",
                            "Admin2: failed (administrator rights refused)"}));
  EXPECT_EQ(q.Summary(), "1 installed, 2 failed, 0 not started");
  EXPECT_EQ(files.files.count("C:\\TEMP\\TLM-aaaa.bat"), 0u);  // the batch file is gone
}

TEST_F(ElevatedQueueTest, ACopyThatCannotStartOrEndsEarlyFailsWhatItLeftUndone) {
  InstallQueue& q = Make({{"A", false, {"a.exe"}, {}}, {"B", false, {"b.exe"}, {}}});
  runner.starts = {NeedsRights(), Runs()};
  elevated.answer = TElevationResult::erFailed;
  elevated.failure = "The system cannot find the file specified";
  q.Begin();
  runner.End(0);  // B, here
  EXPECT_TRUE(q.Ended());
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{
                            "A: failed (cannot start: The system cannot find the file specified)",
                            "B: installed"}));

  InstallQueue& r = Make({{"C", false, {"c.exe"}, {}}, {"D", false, {"d.exe"}, {}}});
  runner.starts = {NeedsRights()};
  elevated.answer = TElevationResult::erStarted;
  r.Begin();
  elevated.Event("row 0 running 0 ");
  elevated.Event("row 5 installed 0 ");  // past the programs handed over: ignored
  elevated.Lost();
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{
                            std::string("C: failed (cannot start: ") + kWorkerLostMessage + ")",
                            std::string("D: failed (cannot start: ") + kWorkerLostMessage + ")"}));
  EXPECT_TRUE(r.Ended());
}

}  // namespace
}  // namespace tallimo
