// The progress window driven in-process over a fake process runner: rows, bar, summary and
// buttons as a queue of three programs (0, 3010, 5) runs; Stop waiting; the close refused while
// the queue runs; Open Log; and the restart question with a faked restart.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "fakes/event_log.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_log_files.h"
#include "fakes/fake_process_runner.h"
#include "fakes/fake_prompter.h"
#include "fakes/fake_restarter.h"
#include "fakes/fake_shell.h"
#include "fakes/fixed_clock.h"
#include "fakes/scripted_random.h"
#include "install/install_progress.h"
#include "platform/locale.h"
#include "ui/application.h"

namespace tallimo {
namespace {

class InstallProgressTest : public ::testing::Test {
 protected:
  InstallProgressTest() : files(events), shell(events) {
    environment.values["TEMP"] = "C:\\TEMP";
    files.folders.insert("C:\\TEMP");
  }
  // The main window owns the progress window, as in the program (closing a main form would
  // end the message loop of the tests that follow).
  void SetUp() override {
    if (!ui::App().MainForm) ui::App().MainForm = &owner;
    owner.Create();
  }
  void TearDown() override {
    owner.DestroyHandle();
    if (ui::App().MainForm == &owner) ui::App().MainForm = nullptr;
    ui::App().Restart();
  }

  std::unique_ptr<TFTallimoQueue> Make() {
    auto form = std::make_unique<TFTallimoQueue>(
        InstallProgressSeams{{runner, files, environment, random, clock, logFiles, HostLocale()},
                             shell,
                             prompter,
                             restarter},
        std::vector<QueuedProgram>{{"Runtime", false, {"rt.exe"}, {}},
                                   {"Game", false, {"setup.exe /s"}, {}},
                                   {"Tool", false, {"tool.exe"}, {}}},
        "D:\\DISC.INI");
    return form;
  }
  static std::vector<std::string> Rows(TFTallimoQueue& form) {
    std::vector<std::string> rows;
    for (size_t i = 0; i < 3; ++i) rows.push_back(form.ListBox1.ItemText(i));
    return rows;
  }

  testing::EventLog events;
  testing::FakeEnvironment environment;
  testing::FakeFileSystem files;
  testing::FakeShell shell;
  testing::ScriptedRandom random;
  testing::FixedClock clock;
  testing::FakeLogFiles logFiles;
  testing::FakeProcessRunner runner;
  testing::FakePrompter prompter;
  testing::FakeRestarter restarter;
  ui::Form owner;
};

TEST_F(InstallProgressTest, AQueueOfThreeRunsToItsSummaryAndAsksToRestart) {
  auto form = Make();
  bool confirmed = false;
  form->OnConfirmRestart = [&] { return confirmed = true; };
  prompter.answers = {TModalResult::mrYes};
  form->Show();
  EXPECT_EQ(form->Caption(), "Tallimo - Installing");
  EXPECT_EQ(form->HelpContext, 45);
  EXPECT_EQ(Rows(*form),
            (std::vector<std::string>{"Runtime: running", "Game: waiting", "Tool: waiting"}));
  EXPECT_EQ(form->EditCommand.Text(), "rt.exe");
  EXPECT_EQ(form->EditLog.Text(), "C:\\TEMP\\Tallimo-20261207-150600.log");
  EXPECT_TRUE(form->BtnStop.Enabled());
  EXPECT_TRUE(form->BtnStopWaiting.Enabled());
  EXPECT_FALSE(form->BtnClose.Enabled());

  form->Close();  // refused while the queue runs
  EXPECT_TRUE(IsWindowVisible(form->Handle()));

  runner.End(0);
  EXPECT_EQ(SendMessageA(form->ProgressBar1.Handle(), PBM_GETPOS, 0, 0), 1);
  EXPECT_EQ(form->EditCommand.Text(), "setup.exe /s");
  runner.End(3010);
  EXPECT_TRUE(prompter.boxes.empty());
  runner.End(5);

  EXPECT_EQ(Rows(*form),
            (std::vector<std::string>{"Runtime: installed", "Game: installed, restart needed",
                                      "Tool: failed (exit code 5)"}));
  EXPECT_EQ(form->LabelSummary.Caption(), "2 installed, 1 failed, 0 not started");
  // A window with that text, as a screen reader finds it.
  EXPECT_TRUE(
      FindWindowExW(form->Handle(), nullptr, L"Static", L"2 installed, 1 failed, 0 not started"));
  EXPECT_EQ(SendMessageA(form->ProgressBar1.Handle(), PBM_GETPOS, 0, 0), 3);
  EXPECT_TRUE(form->BtnClose.Enabled());
  EXPECT_FALSE(form->BtnStop.Enabled());
  EXPECT_FALSE(form->BtnStopWaiting.Enabled());

  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Confirm");
  EXPECT_EQ(prompter.boxes[0].text, kRestartQuestion);
  EXPECT_EQ(prompter.boxes[0].buttons,
            (std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}));
  EXPECT_EQ(prompter.boxes[0].enterAnswer, TModalResult::mrNo);
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(restarter.restarts, 1);

  form->BtnClose.Click();
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(InstallProgressTest, StopWaitingStopAndOpenLog) {
  auto form = Make();
  form->OnConfirmRestart = [] { return false; };
  prompter.answers = {TModalResult::mrYes};
  form->Show();
  form->BtnStopWaiting.Click();
  EXPECT_EQ(form->ListBox1.ItemText(0), "Runtime: not waited for (still running)");
  form->BtnStop.Click();
  EXPECT_FALSE(form->BtnStop.Enabled());
  runner.End(3010);
  EXPECT_EQ(form->ListBox1.ItemText(2), "Tool: not started (stopped)");
  EXPECT_EQ(form->LabelSummary.Caption(), "1 installed, 0 failed, 1 not started, 1 not waited for");
  // Yes to the restart, then Cancel at the main window's question: nothing restarts.
  EXPECT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(restarter.restarts, 0);

  ASSERT_TRUE(form->BtnOpenLog.Enabled());
  form->BtnOpenLog.Click();
  EXPECT_EQ(events.back(), "run notepad.exe \"C:\\TEMP\\Tallimo-20261207-150600.log\"");
}

TEST_F(InstallProgressTest, ALogThatCannotBeWrittenIsSaid) {
  logFiles.failCreate = true;
  auto form = Make();
  form->Show();
  EXPECT_EQ(form->EditLog.Text(),
            std::string(kLogNotWrittenText) + ": " + "C:\\TEMP\\Tallimo-20261207-150600.log");
  EXPECT_FALSE(form->BtnOpenLog.Enabled());
  runner.End(0);
  runner.End(0);
  runner.End(0);
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_EQ(form->LabelSummary.Caption(), "3 installed, 0 failed, 0 not started");
}

}  // namespace
}  // namespace tallimo
