// An unattended run's boxes and log over fakes: /? shows the usage and ends with 0; a usage
// error goes to the log and the console, and without /quiet to a box that shows the usage too.
// Its programs start under an error mode that shows no boxes.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/unattended.h"
#include "app/unattended_win32.h"
#include "fakes/event_log.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_log_files.h"
#include "fakes/fake_process_runner.h"
#include "fakes/fake_prompter.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_restarter.h"
#include "fakes/fake_shell.h"
#include "fakes/fixed_clock.h"
#include "fakes/scripted_random.h"

namespace tallimo {
namespace {

struct Lines final : ConsoleOutput {
  std::vector<std::string> lines;
  void WriteLine(const std::string& line) override { lines.push_back(line); }
};

// Notes the error mode that each program it is asked to start would inherit from this process.
struct ModeNotingRunner final : testing::FakeProcessRunner {
  std::vector<UINT> modes;
  ProcessStart Start(const ProcessRequest& request, EndCallback onEnd) override {
    const UINT mode = SetErrorMode(0);  // gives the mode before
    SetErrorMode(mode);
    modes.push_back(mode);
    return FakeProcessRunner::Start(request, std::move(onEnd));
  }
};

class UnattendedRun : public ::testing::Test {
 protected:
  int Run(const char* commandLine) {
    return RunUnattended(*ParseUnattended(commandLine),
                         {files, files, registry, locale, clock, environment, random, processes,
                          logFiles, prompter, shell, restarter, console, "C:\\Disc\\T.exe"});
  }
  testing::FakeFileSystem files;
  testing::FakeRegistry registry;
  testing::FakeLocale locale;
  testing::FixedClock clock;
  testing::FakeEnvironment environment;
  testing::ScriptedRandom random;
  ModeNotingRunner processes;
  testing::FakeLogFiles logFiles;
  testing::FakePrompter prompter;
  testing::EventLog launched;
  testing::FakeShell shell{launched};
  testing::FakeRestarter restarter;
  Lines console;
};

TEST_F(UnattendedRun, TheUsageAndUsageErrorsInBoxesTheLogAndTheConsole) {
  EXPECT_EQ(Run("T.exe /?"), kExitInstalled);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Information");
  EXPECT_EQ(prompter.boxes[0].text, UnattendedUsage());

  // The catalogue of the program's own name is missing.
  EXPECT_EQ(Run("T.exe /install * /log C:\\l.log"), kExitUsage);
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].title, "Error");
  const std::string message = "The catalogue C:\\Disc\\T.ini does not exist";
  EXPECT_EQ(prompter.boxes[1].text, message + "\r\r" + UnattendedUsage());
  EXPECT_EQ(logFiles.files["C:\\l.log"], "\xEF\xBB\xBF" + LogTimeStamp(clock.time) +
                                             "Usage error: " + message + "\r\n" +
                                             LogTimeStamp(clock.time) + "Exit code 2\r\n");
  EXPECT_EQ(console.lines.back(), LogTimeStamp(clock.time) + "Usage error: " + message);

  // With /quiet: no box, and the log in TEMP.
  environment.values["TEMP"] = "C:\\TEMP";
  files.folders.insert("C:\\TEMP");
  files.files["C:\\Disc\\T.ini"] = "[Program1]\r\nName=A\r\nInstall1=a.exe\r\n";
  EXPECT_EQ(Run("T.exe /install a /quiet /bogus"), kExitUsage);
  EXPECT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(logFiles.files.count("C:\\TEMP\\" + LogFileName(clock.time, 1)), 1u);
  EXPECT_TRUE(processes.requests.empty());  // nothing ran

  // A log that cannot be written is a usage error before anything runs.
  logFiles.failCreate = true;
  EXPECT_EQ(Run("T.exe /install a /quiet /log C:\\missing\\l.log"), kExitUsage);
  EXPECT_EQ(console.lines.back(), LogTimeStamp(clock.time) +
                                      "Usage error: The log file C:\\missing\\l.log cannot be "
                                      "written: Access is denied");
  EXPECT_TRUE(processes.requests.empty());
}

// A crashing installer fails instead of waiting for a person at a box. Wine passes no error mode
// on to a child process, so the mode is read where the programs start rather than in them.
TEST_F(UnattendedRun, ProgramsStartUnderAnErrorModeWithoutBoxes) {
  files.files["C:\\Disc\\T.ini"] =
      "[Program1]\r\nName=A\r\nInstall1=a.exe\r\n[Program2]\r\nName=B\r\nInstall1=b.exe\r\n";
  processes.starts = {testing::FakeProcessRunner::CannotStart("Crashed"),
                      testing::FakeProcessRunner::CannotStart("Crashed")};
  const UINT before = SetErrorMode(0);  // none of the flags until the run sets them
  const int code = Run("T.exe /install * /quiet /log C:\\l.log");
  SetErrorMode(before);
  EXPECT_EQ(code, kExitFailed);
  constexpr UINT kNoBoxes = SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX;
  ASSERT_EQ(processes.modes.size(), 2u);
  for (UINT mode : processes.modes) EXPECT_EQ(mode & kNoBoxes, kNoBoxes) << mode;
}

}  // namespace
}  // namespace tallimo
