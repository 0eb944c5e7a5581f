// The process seam against real processes: exit codes come back, a setup that starts its real
// installer and ends at once is waited for until that installer ends, a program that cannot
// start fails with the system's message, and the queue runs a real batch file through the
// interpreter, held against changes while it runs, and gets its last command's code.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "install/install_queue.h"
#include "install/random_source.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/error.h"
#include "platform/failure_report.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/log_file.h"
#include "platform/process.h"

namespace tallimo {
namespace {

namespace fs = std::filesystem;

std::string TestInstaller() {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  return (fs::path(self).parent_path() / "tallimo_test_installer.exe").string();
}

// Runs the message loop until `done` or the time is up.
template <typename Done>
bool PumpUntil(Done done, DWORD limitMs = 20000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limitMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  return true;
}

std::optional<ProcessEnd> RunToEnd(const ProcessRequest& request, ProcessStart* started = nullptr) {
  std::optional<ProcessEnd> end;
  ProcessStart start = HostProcessRunner().Start(request, [&](const ProcessEnd& e) { end = e; });
  if (started) *started = start;
  if (!start.started) return std::nullopt;
  EXPECT_FALSE(end) << "ended inside Start";
  EXPECT_TRUE(PumpUntil([&] { return end.has_value(); }));
  return end;
}

TEST(ProcessWin32, ExitCodesComeBack) {
  for (uint32_t code : {0u, 3010u, 5u}) {
    ProcessStart start;
    auto end = RunToEnd({TestInstaller(), "exit " + std::to_string(code), "", false, true}, &start);
    ASSERT_TRUE(end) << code << " " << start.message;
    EXPECT_EQ(start.scope, TWaitScope::wsJob);
    EXPECT_EQ(end->exitCode, code);
  }
}

TEST(ProcessWin32, AProgramThatStartsAnotherAndEndsIsWaitedForUntilTheOtherEnds) {
  const fs::path marker =
      fs::temp_directory_path() / ("tallimo-child-" + std::to_string(GetCurrentProcessId()));
  fs::remove(marker);
  auto end = RunToEnd({TestInstaller(), "spawn 1500 \"" + marker.string() + "\"", "", false, true});
  ASSERT_TRUE(end);
  EXPECT_TRUE(fs::exists(marker)) << "the end came before the child's";
  EXPECT_GE(end->milliseconds, 1400u);
  fs::remove(marker);
}

TEST(ProcessWin32, StopWaitingLeavesTheProgramRunningAndNeverCallsBack) {
  const fs::path marker =
      fs::temp_directory_path() / ("tallimo-stop-" + std::to_string(GetCurrentProcessId()));
  fs::remove(marker);
  bool called = false;
  ProcessStart start = HostProcessRunner().Start(
      {TestInstaller(), "wait 800 \"" + marker.string() + "\"", "", false, true},
      [&](const ProcessEnd&) { called = true; });
  ASSERT_TRUE(start.started);
  HostProcessRunner().StopWaiting();
  EXPECT_TRUE(PumpUntil([&] { return fs::exists(marker); }));  // not killed
  PumpUntil([] { return false; }, 300);
  EXPECT_FALSE(called);
  fs::remove(marker);
}

TEST(ProcessWin32, AMissingProgramFailsWithTheSystemsMessage) {
  ProcessStart start;
  EXPECT_FALSE(RunToEnd({"C:\\no such folder\\setup.exe", "/s", "", false, false}, &start));
  EXPECT_FALSE(start.started);
  EXPECT_FALSE(start.elevationRequired);
  EXPECT_NE(start.error, 0u);
  char system[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, start.error,
                 0, system, sizeof system, nullptr);
  EXPECT_FALSE(start.message.empty());
  EXPECT_EQ(std::string(system).find(start.message), 0u) << start.message;
}

TEST(ProcessWin32, AFileThatIsNoProgramIsNamedInTheSystemsMessage) {
  // The system's text has an insert ("Bad EXE format for %1."): filled with the program's path.
  const fs::path bad =
      fs::temp_directory_path() / ("tallimo-bad-" + std::to_string(GetCurrentProcessId()) + ".exe");
  { std::ofstream(bad) << "not a program"; }
  ProcessStart start;
  EXPECT_FALSE(RunToEnd({bad.string(), "", "", false, false}, &start));
  fs::remove(bad);
  EXPECT_FALSE(start.started);
  EXPECT_EQ(start.message.find('%'), std::string::npos) << start.message;
  EXPECT_NE(start.message.find(bad.string()), std::string::npos) << start.message;
}

std::string g_reported;

TEST(ProcessWin32, AFailureOfTheEndsCallbackReachesTheFailureReport) {
  g_reported.clear();
  const FailureReport before =
      SetFailureReport([](const std::string& message) { g_reported = message; });
  ProcessStart start = HostProcessRunner().Start(
      {TestInstaller(), "exit 0", "", false, true},
      [](const ProcessEnd&) { throw TallimoError("the end could not be shown"); });
  ASSERT_TRUE(start.started) << start.message;
  EXPECT_TRUE(PumpUntil([] { return !g_reported.empty(); }));
  SetFailureReport(before);
  EXPECT_EQ(g_reported, "the end could not be shown");
}

TEST(ProcessWin32, TheQueueRunsARealBatchFileAndTakesItsLastCommandsCode) {
  const std::string installer = TestInstaller();
  TimeSeededRandom random;
  std::vector<QueuedProgram> programs = {
      {"Batch", true, {"echo installing", "\"" + installer + "\" exit 3010"}, {}},
      {"Lines", false, {"\"" + installer + "\" exit 0", "\"" + installer + "\" exit 5"}, {}},
  };
  InstallQueue queue({HostProcessRunner(), HostFileSystem(), HostEnvironment(), random, HostClock(),
                      HostLogFiles(), HostLocale()},
                     std::move(programs), "D:\\DISC.INI");
  queue.Begin();
  ASSERT_TRUE(PumpUntil([&] { return queue.Ended(); }));
  EXPECT_EQ(queue.RowText(0), "Batch: installed, restart needed");
  EXPECT_EQ(queue.RowText(1), "Lines: failed (exit code 5)");
  ASSERT_FALSE(queue.LogFailed());
  std::string log;
  ASSERT_TRUE(HostFileSystem().ReadWholeFile(queue.LogPath(), log));
  EXPECT_EQ(log.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(log.find("Queue ended: 1 installed, 1 failed, 0 not started\r\n"), std::string::npos);
  // The batch file is gone once it ran.
  size_t at = log.find("/d /c \"");
  ASSERT_NE(at, std::string::npos);
  std::string batch = log.substr(at + 7, log.find('"', at + 7) - at - 7);
  EXPECT_FALSE(HostFileSystem().FileExists(batch)) << batch;
  HostFileSystem().RemoveFile(queue.LogPath());
}

// While its command prompt runs it, no other program can open the batch file for writing,
// delete it or rename it (the installer's "locked" tries each and says which worked).
TEST(ProcessWin32, TheQueuesBatchFileIsHeldAgainstChangesWhileItRuns) {
  const std::string installer = TestInstaller();
  TimeSeededRandom random;
  InstallQueue queue({HostProcessRunner(), HostFileSystem(), HostEnvironment(), random, HostClock(),
                      HostLogFiles(), HostLocale()},
                     {{"Held", true, {"\"" + installer + "\" locked %0"}, {}}}, "D:\\DISC.INI");
  queue.Begin();
  ASSERT_TRUE(PumpUntil([&] { return queue.Ended(); }));
  // 5: opened for writing, 6: deleted, 7: renamed.
  EXPECT_EQ(queue.RowText(0), "Held: installed");
  std::string log;
  ASSERT_TRUE(HostFileSystem().ReadWholeFile(queue.LogPath(), log));
  const size_t at = log.find("/d /c \"");
  ASSERT_NE(at, std::string::npos);
  const std::string batch = log.substr(at + 7, log.find('"', at + 7) - at - 7);
  EXPECT_FALSE(HostFileSystem().FileExists(batch)) << batch;
  EXPECT_FALSE(HostFileSystem().FileExists(batch + ".moved")) << batch;
  HostFileSystem().RemoveFile(queue.LogPath());
}

}  // namespace
}  // namespace tallimo
