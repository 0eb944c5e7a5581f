// The Install and Install & Close commands over recording fakes: order of events, what is
// launched and written, the missing-procedure error, and when the window closes.
#include "install/install_runner.h"

#include <gtest/gtest.h>

#include <memory>

#include "fakes/event_log.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_prompter.h"
#include "fakes/fake_shell.h"
#include "fakes/scripted_random.h"
#include "platform/error.h"

namespace tallimo {
namespace {

using testing::EventLog;

class FakeSelection final : public ProgramSelection {
 public:
  FakeSelection(EventLog& log, const TProgramList& programs) : log_(log), programs_(programs) {}
  bool selected = true;
  std::string text;
  bool HasSelection(bool warn) override {
    if (!selected && warn) log_.push_back("Warning: You must first select an item!");
    return selected;
  }
  // The row shows the entry's name.
  int SelectedIndex() override {
    const std::string& name = text;
    for (size_t i = 0; i < programs_.size(); ++i) {
      if (programs_[i]->Name == name) return static_cast<int>(i);
    }
    return -1;
  }

 private:
  EventLog& log_;
  const TProgramList& programs_;
};

class InstallRunnerTest : public ::testing::Test {
 protected:
  InstallRunnerTest()
      : shell(log),
        files(log),
        prompter(log),
        selection(log, programs),
        runner(
            {environment, shell, files, prompter, random, locale}, selection, programs,
            installScript,
            [this]() -> std::optional<char> {
              log.push_back("drive dialog");
              return driveAnswer;
            },
            [this] { log.push_back("close"); }) {}

  void AddEntry(const std::string& name, bool batch, StringList lines) {
    auto entry = std::make_unique<TTallimoProg>();
    entry->Name = name;
    entry->Batch = batch;
    entry->InstallLines = std::move(lines);
    programs.push_back(std::move(entry));
  }
  void Select(const std::string& name) {
    selection.selected = true;
    selection.text = name;
  }

  EventLog log;
  testing::FakeEnvironment environment;
  testing::FakeShell shell;
  testing::FakeFileSystem files;
  testing::FakePrompter prompter;
  testing::ScriptedRandom random;
  testing::FakeLocale locale;
  TProgramList programs;
  StringList installScript;
  FakeSelection selection;
  std::optional<char> driveAnswer = 'e';
  InstallRunner runner;
};

TEST_F(InstallRunnerTest, LineByLineStartsAnExistingFileWholeAndSplitsOtherLines) {
  files.files["readme.txt"] = "";
  files.files["e:\\My Setup\\setup.exe"] = "";
  AddEntry("Other", false, {"nothing"});
  AddEntry(
      "Tools", false,
      {"setup.exe /s", "readme.txt", "\"%D:\\x y.exe\" -q", "%D:\\My Setup\\setup.exe", "notepad"});
  Select("Tools");
  EXPECT_EQ(runner.Install(), TInstallResult::irLaunched);
  EXPECT_EQ(log,
            (EventLog{"drive dialog", "run setup.exe /s", "launch readme.txt", "run e:\\x y.exe -q",
                      "launch e:\\My Setup\\setup.exe", "launch notepad"}));
  EXPECT_EQ(installScript, (StringList{"setup.exe /s", "readme.txt", "\"e:\\x y.exe\" -q",
                                       "e:\\My Setup\\setup.exe", "notepad"}));
}

TEST_F(InstallRunnerTest, BatchWritesTheFileThenLaunchesIt) {
  files.folders = {"C:\\WINDOWS\\TEMP"};
  environment.values["TEMP"] = "C:\\WINDOWS\\TEMP";
  AddEntry("Game", true, {"md %D:\\game", "copy *.* %D:\\game"});
  Select("Game");
  random.Queue("qhzk");
  EXPECT_EQ(runner.Install(), TInstallResult::irLaunched);
  const std::string path = "C:\\WINDOWS\\TEMP\\TLM-qhzk.bat";
  EXPECT_EQ(log, (EventLog{"drive dialog", "write " + path, "launch " + path}));
  EXPECT_EQ(files.files[path], "md e:\\game\r\ncopy *.* e:\\game\r\n");
}

// The batch file is in the OEM code page: "é" goes out as 437's byte. A line that the command
// prompt cannot read stops the install before the drive is asked for or anything is written,
// and Install & Close then leaves the window open; started line by line, any character goes.
TEST_F(InstallRunnerTest, BatchLinesInTheOemCodePage) {
  AddEntry("Caf\u00E9", true, {"copy %D:\\Caf\u00E9\\*.*"});
  AddEntry("\u0141\u00F3d\u017A", true, {"%D:", "cd \\\u0141\u00F3d\u017A"});
  AddEntry("\u65E5\u672C", false, {"%D:\\\u65E5\u672C.exe"});
  Select("Caf\u00E9");
  random.Queue("abcd");
  EXPECT_EQ(runner.Install(), TInstallResult::irLaunched);
  EXPECT_EQ(files.files["C:\\TLM-abcd.bat"], "copy e:\\Caf\x82\\*.*\r\n");
  log.clear();
  Select("\u0141\u00F3d\u017A");
  EXPECT_EQ(runner.InstallAndClose(), TInstallResult::irUnreadable);
  EXPECT_EQ(log, (EventLog{"Error: \u0141\u00F3d\u017A cannot be installed through a batch file: "
                           "line 2 holds characters that the command prompt cannot read."}));
  log.clear();
  Select("\u65E5\u672C");
  EXPECT_EQ(runner.Install(), TInstallResult::irLaunched);
  EXPECT_EQ(log, (EventLog{"drive dialog", "launch e:\\\u65E5\u672C.exe"}));
}

TEST_F(InstallRunnerTest, AOneLineBatchStillGoesThroughAFile) {
  AddEntry("One", true, {"setup.exe"});
  Select("One");
  random.Queue("abcd");
  EXPECT_EQ(runner.Install(), TInstallResult::irLaunched);
  EXPECT_EQ(log, (EventLog{"write C:\\TLM-abcd.bat", "launch C:\\TLM-abcd.bat"}));
}

TEST_F(InstallRunnerTest, TheDriveIsAskedOncePerCommand) {
  AddEntry("Two", false, {"%D:\\a", "%D:\\b"});
  Select("Two");
  runner.Install();
  driveAnswer = 'f';
  runner.Install();
  EXPECT_EQ(log, (EventLog{"drive dialog", "launch e:\\a", "launch e:\\b", "drive dialog",
                           "launch f:\\a", "launch f:\\b"}));
}

TEST_F(InstallRunnerTest, NoSelectionWarnsAndDoesNothingElse) {
  AddEntry("Tools", false, {"x"});
  selection.selected = false;
  installScript = {"from last time"};
  EXPECT_EQ(runner.Install(), TInstallResult::irNoSelection);
  EXPECT_TRUE(installScript.empty());  // emptied before the selection check

  installScript = {"from last time"};
  EXPECT_EQ(runner.InstallAndClose(), TInstallResult::irNoSelection);
  EXPECT_EQ(installScript, StringList{"from last time"});  // Install never ran
  EXPECT_EQ(log, (EventLog{"Warning: You must first select an item!",
                           "Warning: You must first select an item!"}));  // once per command
}

TEST_F(InstallRunnerTest, AnUnknownNameEndsSilentlyAndInstallAndCloseStillCloses) {
  AddEntry("Tools", false, {"x"});
  Select("tools");  // names match case-sensitively
  EXPECT_EQ(runner.Install(), TInstallResult::irNoEntry);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(runner.InstallAndClose(), TInstallResult::irNoEntry);
  EXPECT_EQ(log, EventLog{"close"});
}

TEST_F(InstallRunnerTest, AMissingProcedureIsAnErrorAndInstallAndCloseThenCloses) {
  AddEntry("Empty", true, {});
  Select("Empty");
  EXPECT_EQ(runner.Install(), TInstallResult::irNoProcedure);
  EXPECT_EQ(log, EventLog{"Error: There is no Installation procedure defined for this program!"});
  EXPECT_EQ(prompter.boxes[0].buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbOK});
  log.clear();
  EXPECT_EQ(runner.InstallAndClose(), TInstallResult::irNoProcedure);
  EXPECT_EQ(log, (EventLog{"Error: There is no Installation procedure defined for this program!",
                           "close"}));
  EXPECT_TRUE(files.files.empty());
}

TEST_F(InstallRunnerTest, InstallAndCloseClosesAfterTheLaunch) {
  AddEntry("Game", true, {"setup"});
  Select("Game");
  random.Queue("wxyz");
  EXPECT_EQ(runner.InstallAndClose(), TInstallResult::irLaunched);
  EXPECT_EQ(log, (EventLog{"write C:\\TLM-wxyz.bat", "launch C:\\TLM-wxyz.bat", "close"}));
}

TEST_F(InstallRunnerTest, AnAbandonedDriveChoiceCancelsEverything) {
  AddEntry("Batch", true, {"echo start", "copy x %D:\\"});
  AddEntry("Lines", false, {"first.exe", "%D:\\second.exe"});
  driveAnswer.reset();
  Select("Batch");
  EXPECT_EQ(runner.InstallAndClose(), TInstallResult::irCancelled);
  Select("Lines");
  EXPECT_EQ(runner.InstallAndClose(), TInstallResult::irCancelled);
  // Not even the lines before the token were launched; nothing written, no close.
  EXPECT_EQ(log, (EventLog{"drive dialog", "drive dialog"}));
  EXPECT_TRUE(files.files.empty());
  EXPECT_TRUE(installScript.empty());
}

TEST_F(InstallRunnerTest, AFileThatCannotBeCreatedStopsTheCommandAndKeepsTheWindowOpen) {
  AddEntry("Game", true, {"setup"});
  Select("Game");
  files.failAt = 1;  // the first write fails
  random.Queue("abcd");
  EXPECT_THROW(
      {
        try {
          runner.InstallAndClose();
        } catch (const TallimoError& error) {
          EXPECT_STREQ(error.what(), "Cannot create file C:\\TLM-abcd.bat");
          throw;
        }
      },
      TallimoError);
  EXPECT_TRUE(log.empty());  // nothing launched, no close
}

}  // namespace
}  // namespace tallimo
