// Handing the rest of the queue to the elevated copy: the text that crosses (hand-over, events,
// control lines) read back exactly and garbled or truncated lines refused, and the queue over
// fakes handing over, taking the copy's rows back, forwarding Stop, and going on in-process
// when the rights are refused.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "fakes/event_log.h"
#include "fakes/fake_elevated_runner.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_log_files.h"
#include "fakes/fake_process_runner.h"
#include "fakes/fixed_clock.h"
#include "fakes/scripted_random.h"
#include "install/elevated_queue.h"

namespace tallimo {
namespace {

using TElevationResult = ElevatedRunner::TElevationResult;

TEST(ElevatedQueueText, HandOverReadsBackExactly) {
  HandOver handOver{
      "D:\\My Disc\\DISC.INI",
      {{"Odd \\ name\r\nx", false, {"setup.exe /q", "\"e:\\a b\\c.exe\" \\n"}, {1, 4294967295u}},
       {"Batch", true, {"copy a b", ""}, {}}}};
  const std::string text = HandOverText(handOver);
  std::optional<HandOver> back = ParseHandOver(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(HandOverText(*back), text);  // every field came back
  EXPECT_EQ(back->programs[0].name, "Odd \\ name\r\nx");
  EXPECT_EQ(back->programs[0].successCodes, (ExitCodeList{1, 4294967295u}));
}

TEST(ElevatedQueueText, GarbledOrTruncatedHandOversAreRefused) {
  const std::string good = HandOverText({"c.ini", {{"A", false, {"a.exe"}, {2}}}});
  ASSERT_TRUE(ParseHandOver(good));
  const char* bad[] = {
      "",
      "tallimo-queue 1\ncatalogue c.ini\nend\n",              // no program
      "tallimo-queue 2\ncatalogue c.ini\nprogram A\nend\n",   // another version
      "tallimo-queue 1\ncatalogue c.ini\nline a.exe\nend\n",  // a line before a program
      "tallimo-queue 1\ncatalogue c.ini\nprogram A\nbatch 2\nend\n",
      "tallimo-queue 1\ncatalogue c.ini\nprogram A\nsuccess x\nend\n",
      "tallimo-queue 1\ncatalogue c.ini\nprogram A\nsuccess 4294967296\nend\n",
      "tallimo-queue 1\ncatalogue c.ini\nprogram A\nline a\\q\nend\n",  // unknown escape
      "tallimo-queue 1\ncatalogue c.ini\nprogram A\nline a\\\nend\n",   // escape cut off
      "tallimo-queue 1\ncatalogue c.ini\nprogram A\nwhat\nend\n",
  };
  for (const char* text : bad) EXPECT_FALSE(ParseHandOver(text)) << text;
  // Cut anywhere before its end, the hand-over is refused.
  for (size_t length = 0; length + 1 < good.size(); ++length)
    EXPECT_FALSE(ParseHandOver(good.substr(0, length))) << length;
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
  for (const char* line : {"", "stop ", "stop-waiting", "stop-waiting -1", "stop-waiting 3 4"})
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
  InstallQueue& Make(std::vector<QueuedProgram> programs) {
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
  ASSERT_EQ(handed.programs.size(), 3u);
  EXPECT_EQ(handed.programs[0].lines, StringList{"app.exe /q"});  // from the line that asked
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

namespace tallimo {
namespace {

TEST(ElevatedQueueOption, OnlyTheExactOptionAndAFileStartTheCopy) {
  struct Case {
    const char* line;
    const char* file;  // nullptr: not the copy
  } cases[] = {
      {"Tallimo.exe /queue-worker* \"C:\\T\\Tallimo-queue-1.txt\"", "C:\\T\\Tallimo-queue-1.txt"},
      {"\"D:\\Tallimo.exe\"  /queue-worker*  C:\\q.txt", "C:\\q.txt"},
      {"Tallimo.exe", nullptr},
      {"Tallimo.exe /queue-worker*", nullptr},
      {"Tallimo.exe /queue-worker* \"\"", nullptr},
      {"Tallimo.exe \"/queue-worker*\" C:\\q.txt", nullptr},
      {"Tallimo.exe /queue-worker C:\\q.txt", nullptr},
      {"Tallimo.exe /queue-worker*x C:\\q.txt", nullptr},
      {"Tallimo.exe /queue-worker* C:\\q.txt more", nullptr},
      {"Tallimo.exe D:\\DISC.INI", nullptr},
      {"Tallimo.exe \"D:\\queue-worker* disc.ini\"", nullptr},
  };
  for (const Case& c : cases) {
    std::optional<std::string> file = QueueWorkerFile(c.line);
    EXPECT_EQ(file.has_value(), c.file != nullptr) << c.line;
    if (file && c.file) {
      EXPECT_EQ(*file, c.file) << c.line;
    }
  }
  // A catalogue argument is still the catalogue.
  EXPECT_EQ(ChooseIniFileName("Tallimo.exe D:\\DISC.INI", "D:\\Tallimo.exe"), "D:\\DISC.INI");
}

}  // namespace
}  // namespace tallimo
