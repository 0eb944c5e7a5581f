// Surviving restarts: the resume record's round trip and refusals, the resumed queue's
// decisions, and the queue's restarts before the next program, over fakes.
#include <gtest/gtest.h>

#include "fakes/event_log.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_log_files.h"
#include "fakes/fake_process_runner.h"
#include "fakes/fake_restarter.h"
#include "fakes/fixed_clock.h"
#include "fakes/scripted_random.h"
#include "install/resume_record.h"

namespace tallimo {
namespace {

ResumeRecord SampleRecord() {
  ResumeRecord record;
  record.kind = TResumeKind::rkUnattended;
  record.user = "S-1-5-21-7";
  record.cataloguePath = "E:\\Setup Disc\\DISC.INI";
  record.digest = std::string(64, 'a');
  record.volumeSerial = 0x1234abcd;
  record.volumeLabel = "Tools 2026";
  record.drive = 'e';
  record.logPath = "C:\\Temp\\Tallimo-1.log";
  record.quiet = true;
  record.restarts = 2;
  record.rows = {{1, "Runtime", {TQueueState::qsRestartNeeded, 3010, {}}},
                 {2, "Two\\lines\r\nname", {TQueueState::qsRunning, 0, {}}},
                 {5, "Tool", {TQueueState::qsExcluded, 0, "Other tool"}}};
  record.running = 1;
  record.next = 1;
  return record;
}

TEST(ResumeRecord, RoundTripAndRefusals) {
  const ResumeRecord record = SampleRecord();
  const std::string text = RecordText(record);
  std::string why;
  std::optional<ResumeRecord> back = ParseRecord(text, why);
  ASSERT_TRUE(back) << why;
  EXPECT_EQ(RecordText(*back), text);
  EXPECT_EQ(back->rows[1].name, "Two\\lines\r\nname");
  EXPECT_EQ(back->volumeSerial, 0x1234abcdu);
  EXPECT_TRUE(back->quiet && !back->reinstall && back->restartAllowed);

  auto replaced = [&text](const std::string& from, const std::string& to) {
    std::string changed = text;
    changed.replace(changed.find(from), from.size(), to);
    return changed;
  };
  const struct {
    std::string text;
    const char* why;
  } refused[] = {
      {"", "the record cannot be read"},
      {replaced("record 1", "record 2"), "the record is from another version of Tallimo"},
      {text.substr(0, text.size() - 4), "the record cannot be read"},  // cut before its end
      {text + "row 3 installed 0 \n", "the record cannot be read"},    // after its end
      {replaced("next 1", "next 9"), "the record cannot be read"},
      {replaced("running 1", "running 3"), "the record cannot be read"},
      {replaced("kind unattended", "kind other"), "the record cannot be read"},
      {replaced("row 5 excluded", "row 5 nonsense"), "the record cannot be read"},
      {replaced("row 5", "row 0"), "the record cannot be read"},
      {replaced("drive e", "drive 7"), "the record cannot be read"},
      {replaced("volume 1234abcd", "volume 12"), "the record cannot be read"},
  };
  for (const auto& c : refused) {
    EXPECT_FALSE(ParseRecord(c.text, why)) << c.text;
    EXPECT_EQ(why, c.why) << c.text;
  }
}

TEST(ResumeRecord, FindingTheDiscAgain) {
  const ResumeRecord record = SampleRecord();
  const struct {
    const char* name;
    DiscSearch found;
    TResumeStep step;
    const char* path;
    char drive;
  } cases[] = {
      {"where it was",
       {true, true, std::nullopt, false},
       TResumeStep::rsGoOn,
       "E:\\Setup Disc\\DISC.INI",
       'e'},
      {"where it was, changed",
       {true, false, std::nullopt, false},
       TResumeStep::rsChanged,
       "E:\\Setup Disc\\DISC.INI",
       'e'},
      {"moved, the token with it",
       {false, false, 'G', true},
       TResumeStep::rsMoved,
       "G:\\Setup Disc\\DISC.INI",
       'g'},
      {"moved, changed",
       {false, false, 'G', false},
       TResumeStep::rsChanged,
       "G:\\Setup Disc\\DISC.INI",
       'g'},
      {"missing",
       {false, false, std::nullopt, false},
       TResumeStep::rsInsertDisc,
       "E:\\Setup Disc\\DISC.INI",
       'e'},
  };
  for (const auto& c : cases) {
    const ResumeDecision decision = DecideResume(record, c.found);
    EXPECT_EQ(decision.step, c.step) << c.name;
    EXPECT_EQ(decision.cataloguePath, c.path) << c.name;
    EXPECT_EQ(decision.drive, c.drive) << c.name;
  }
  // A drive token that was another drive stays where it was.
  ResumeRecord other = record;
  other.drive = 'c';
  EXPECT_EQ(DecideResume(other, {false, false, 'G', true}).drive, 'c');

  EXPECT_EQ(InsertDiscText(record), "Insert the disc \"Tools 2026\" to go on installing.");
  other.volumeLabel.clear();
  EXPECT_EQ(InsertDiscText(other),
            "Insert the disc \"E:\\Setup Disc\\DISC.INI\" to go on installing.");
  EXPECT_EQ(ResumedLine(3), "Resumed after a restart (3 of at most 5)");
}

// The rows a resumed queue starts from: the catalogue read again, each row's program by its
// number.
TEST(ResumeRecord, TheResumedQueuesRows) {
  const std::string catalogue =
      "[Program1]\r\nName=Runtime\r\nInstall1=%D:\\rt.exe\r\n"
      "[Program2]\r\nName=Editor\r\nInstall1=%D:\\ed.exe\r\nDetect=C:\\Editor\r\n"
      "[Program3]\r\nName=Viewer\r\nInstall1=%D:\\view.exe\r\nRequires=Editor\r\n";
  ResumeRecord record;
  record.cataloguePath = "E:\\DISC.INI";
  record.drive = 'e';
  record.rows = {{1, "Runtime", {TQueueState::qsRestartNeeded, 3010, {}}},
                 {2, "Editor", {TQueueState::qsRunning, 0, {}}},
                 {3, "Viewer", {}}};
  record.running = 1;
  record.next = 1;
  testing::FakeLocale locale;
  const struct {
    const char* name;
    bool detected;
    int restarts;
    std::vector<std::string> rows;
  } cases[] = {
      {"cut off, found installed",
       true,
       1,
       {"Runtime: installed, restarted", "Editor: installed", "Viewer: running"}},
      {"cut off, not found",
       false,
       1,
       {"Runtime: installed, restarted", "Editor: failed (interrupted by a restart)",
        "Viewer: not started (needs Editor)"}},
      {"the sixth restart",
       true,
       5,
       {"Runtime: installed, restarted", "Editor: installed",
        "Viewer: not started (too many restarts)"}},
  };
  for (const auto& c : cases) {
    record.restarts = c.restarts;
    ResumedQueue resumed = ResumedPrograms(
        record, catalogue, 'g', locale.AnsiCodePage(),
        [&c](const TTallimoProg& entry) { return c.detected && !entry.Detect.empty(); });
    ASSERT_EQ(resumed.programs.size(), 3u) << c.name;
    EXPECT_EQ(resumed.next, 2u) << c.name;
    EXPECT_EQ(resumed.programs[2].lines, StringList{"g:\\view.exe"}) << c.name;
    EXPECT_EQ(resumed.programs[2].needs, std::vector<size_t>{1}) << c.name;
    // Its rows as the queue gives them once it has gone on.
    testing::EventLog events;
    testing::FakeFileSystem files(events);
    testing::FakeEnvironment environment;
    testing::ScriptedRandom random;
    testing::FixedClock clock;
    testing::FakeLogFiles logs;
    testing::FakeProcessRunner runner;
    InstallQueue queue({runner, files, environment, random, clock, logs, locale},
                       std::move(resumed.programs), record.cataloguePath);
    queue.ResumeAt(resumed.next, resumed.done);
    queue.Begin();
    std::vector<std::string> rows;
    for (size_t i = 0; i < queue.Size(); ++i) rows.push_back(queue.RowText(i));
    EXPECT_EQ(rows, c.rows) << c.name;
  }
  // A catalogue without the recorded programs: the rest is not started.
  ResumedQueue changed = ResumedPrograms(record, "[Program1]\r\nName=Runtime\r\n", 'e',
                                         locale.AnsiCodePage(), nullptr);
  ASSERT_EQ(changed.programs.size(), 3u);
  EXPECT_EQ(changed.programs[2].decided->state, TQueueState::qsCatalogueChanged);
  EXPECT_EQ(changed.programs[2].name, "Viewer");
}

class QueueRestartTest : public ::testing::Test {
 protected:
  QueueRestartTest() : files(events) {
    environment.values["TEMP"] = "C:\\TEMP";
    files.folders.insert("C:\\TEMP");
  }
  InstallQueue& Make(TRestartRule first, bool allowed = true) {
    QueueSeams seams{runner, files, environment, random, clock, logs, locale};
    seams.restarter = &restarter;
    seams.resume = &store;
    std::vector<QueuedProgram> programs = {{"Runtime", false, {"rt.exe"}, {}},
                                           {"Editor", false, {"ed.exe"}, {}},
                                           {"Viewer", false, {"view.exe"}, {}}};
    for (size_t i = 0; i < programs.size(); ++i) programs[i].number = i + 1;
    programs[0].restart = first;
    queue = std::make_unique<InstallQueue>(seams, std::move(programs), "E:\\DISC.INI");
    queue->RestartsAllowed = allowed;
    queue->Record = std::make_unique<ResumeRecord>();
    queue->Record->digest = std::string(64, 'b');
    queue->Record->cataloguePath = "E:\\DISC.INI";
    queue->ConfirmRestart = [this](const std::string& name) {
      asked.push_back(name);
      return confirm;
    };
    return *queue;
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (size_t i = 0; i < queue->Size(); ++i) rows.push_back(queue->RowText(i));
    return rows;
  }
  bool Logged(const std::string& text) {
    return logs.files[queue->LogPath()].find(text) != std::string::npos;
  }

  testing::EventLog events;
  testing::FakeFileSystem files;
  testing::FakeEnvironment environment;
  testing::ScriptedRandom random;
  testing::FixedClock clock;
  testing::FakeLogFiles logs;
  testing::FakeLocale locale;
  testing::FakeProcessRunner runner;
  testing::FakeRestarter restarter;
  testing::FakeResumeStore store;
  std::unique_ptr<InstallQueue> queue;
  std::vector<std::string> asked;
  bool confirm = true;
};

TEST_F(QueueRestartTest, RestartsBeforeTheNextProgramAsTheEntrySays) {
  const struct {
    const char* name;
    TRestartRule rule;
    uint32_t code;
    bool allowed, confirm;
    int restarts;  // of the computer, before the next program
    const char* firstRow;
  } cases[] = {
      {"3010 with Restart=1", TRestartRule::rrWhenNeeded, 3010, true, true, 1,
       "Runtime: installed, restart needed"},
      {"0 with Restart=1", TRestartRule::rrWhenNeeded, 0, true, true, 0, "Runtime: installed"},
      {"0 with Restart=2", TRestartRule::rrAlways, 0, true, true, 1, "Runtime: installed"},
      {"a failure with Restart=2", TRestartRule::rrAlways, 5, true, true, 0,
       "Runtime: failed (exit code 5)"},
      {"3010 with Restart=0", TRestartRule::rrAtEnd, 3010, true, true, 0,
       "Runtime: installed, restart needed"},
      {"cancelled in the countdown", TRestartRule::rrWhenNeeded, 3010, true, false, 0,
       "Runtime: installed, restart needed"},
      {"not allowed (unattended without /restart)", TRestartRule::rrAlways, 0, false, true, 0,
       "Runtime: installed"},
  };
  for (const auto& c : cases) {
    restarter = {};
    store = {};
    runner = {};
    confirm = c.confirm;
    InstallQueue& q = Make(c.rule, c.allowed);
    q.Begin();
    runner.End(c.code);
    EXPECT_EQ(restarter.restarts, c.restarts) << c.name;
    EXPECT_EQ(q.AwaitingRestart(), c.restarts == 1) << c.name;
    EXPECT_EQ(q.RowText(0), c.firstRow) << c.name;
    if (c.restarts) {
      // The record says where the queue goes on: after the program that needed the restart.
      std::string why;
      std::optional<ResumeRecord> record = ParseRecord(store.record, why);
      ASSERT_TRUE(record) << why;
      EXPECT_EQ(record->next, 1u) << c.name;
      EXPECT_FALSE(record->running) << c.name;
      EXPECT_EQ(record->rows[1].result.state, TQueueState::qsWaiting) << c.name;
      EXPECT_TRUE(Logged("Restarting the computer")) << c.name;
      EXPECT_FALSE(runner.Waiting()) << c.name;
      restarter.NoRestart();  // it never came: the queue goes on
      EXPECT_TRUE(Logged("No restart came within 10 minutes")) << c.name;
    }
    EXPECT_EQ(asked.empty(), c.restarts == 0 && c.confirm) << c.name;
    asked.clear();
    runner.End(0);
    runner.End(0);
    EXPECT_TRUE(q.Ended()) << c.name;
    EXPECT_TRUE(store.removed && store.record.empty() && !store.armed) << c.name;
    EXPECT_EQ(q.RestartNeeded(), c.code == 3010) << c.name;
  }
}

TEST_F(QueueRestartTest, ARestartAnInstallerStartedIsWaitedFor) {
  InstallQueue& q = Make(TRestartRule::rrAtEnd);
  q.Begin();
  runner.End(1641);
  EXPECT_TRUE(q.AwaitingRestart());
  EXPECT_EQ(restarter.restarts, 0);
  EXPECT_TRUE(Logged("Waiting for the restart that Runtime started"));
  // Stop waiting goes on without it.
  q.StopWaiting();
  EXPECT_FALSE(q.AwaitingRestart());
  EXPECT_TRUE(runner.Waiting());
  runner.End(0);
  runner.End(0);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Runtime: installed, restart started",
                                              "Editor: installed", "Viewer: installed"}));

  // Without restarts allowed the rest is given up, as before.
  runner = {};
  InstallQueue& unattended = Make(TRestartRule::rrAtEnd, false);
  unattended.Begin();
  runner.End(1641);
  EXPECT_TRUE(unattended.Ended());
  EXPECT_EQ(unattended.RowText(2), "Viewer: not started (restart in progress)");
}

TEST_F(QueueRestartTest, TheRecordBeforeEachProgramAndItsLimits) {
  InstallQueue& q = Make(TRestartRule::rrWhenNeeded);
  q.Begin();
  std::string why;
  std::optional<ResumeRecord> record = ParseRecord(store.record, why);
  ASSERT_TRUE(record) << why;
  EXPECT_EQ(record->running, 0u);
  EXPECT_TRUE(store.armed);
  runner.End(0);
  record = ParseRecord(store.record, why);
  ASSERT_TRUE(record) << why;
  EXPECT_EQ(record->running, 1u);
  EXPECT_EQ(record->rows[0].result.state, TQueueState::qsInstalled);

  // Five restarts done: the sixth is not made, the rest is not started.
  store = {};
  runner = {};
  InstallQueue& limited = Make(TRestartRule::rrWhenNeeded);
  limited.Record->restarts = kMaxRestarts;
  limited.Begin();
  runner.End(3010);
  EXPECT_EQ(restarter.restarts, 0);
  EXPECT_EQ(limited.RowText(1), "Editor: not started (too many restarts)");

  // A record that cannot be written: no restart before the queue's end, said once.
  store = {};
  runner = {};
  store.failWrites = true;
  InstallQueue& unrecorded = Make(TRestartRule::rrWhenNeeded);
  std::vector<std::string> said;
  unrecorded.OnRecordFailed = [&said](const std::string& text) { said.push_back(text); };
  unrecorded.Begin();
  runner.End(3010);
  runner.End(0);
  runner.End(0);
  EXPECT_EQ(restarter.restarts, 0);
  EXPECT_EQ(said, std::vector<std::string>{"its record cannot be written"});
  EXPECT_TRUE(unrecorded.RestartNeeded());
}

}  // namespace
}  // namespace tallimo
