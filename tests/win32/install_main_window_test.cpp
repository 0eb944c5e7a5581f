// The install commands on the real main window: enabled, reached from the buttons and the
// popup items, the missing-procedure error, the close that follows it, and a batch file that
// cannot be created going to the error report with the window left open. Copy Serial too, and
// the marks with the install queue.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "install/install_runner.h"
#include "ui/application.h"
#include "win32/main_window_fixture.h"

namespace tallimo {
namespace {

constexpr const char* kCatalogue =
    "[General]\r\nCaption=Install\r\n"
    "[Program1]\r\nName=Empty\r\nBatch=1\r\n"
    "[Program2]\r\nName=Setup\r\nBatch=1\r\nInstall1=setup.exe\r\nSerial1=abc\r\nSerial2=def\r\n";
constexpr const char* kPath = "C:\\Disc\\menu.ini";

class InstallOnMainWindow : public MainWindowFixture<> {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ShowMainFormOn(kPath, kCatalogue);
  }

  void ClickButton(ui::Button& button) {
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    ui::App().ProcessMessages();
  }
};

TEST_F(InstallOnMainWindow, TheCommandsAreEnabledAndWarnWithoutASelection) {
  EXPECT_TRUE(IsWindowEnabled(form->BtnInstall.Handle()));
  EXPECT_TRUE(IsWindowEnabled(form->BtnInstClose.Handle()));
  EXPECT_TRUE(form->ppInstall1->Enabled());
  EXPECT_TRUE(form->ppInstallClose1->Enabled());

  form->ppInstall1->Click();
  form->ppInstallClose1->Click();
  ClickButton(form->BtnInstClose);
  ASSERT_EQ(prompter.boxes.size(), 3u);
  for (const auto& box : prompter.boxes) EXPECT_EQ(box.text, "You must first select an item!");
  EXPECT_TRUE(form->HandleAllocated());  // Install & Close did not close
  EXPECT_FALSE(ui::App().Terminated());
}

TEST_F(InstallOnMainWindow, AMissingProcedureIsAnErrorThenInstallAndCloseCloses) {
  SelectRow(0);  // Empty
  ClickButton(form->BtnInstall);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Error");
  EXPECT_EQ(prompter.boxes[0].text, kNoProcedureMessage);
  EXPECT_EQ(prompter.boxes[0].icon, TMsgDlgType::mtError);
  EXPECT_TRUE(form->HandleAllocated());

  form->ppInstallClose1->Click();
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].text, kNoProcedureMessage);
  EXPECT_FALSE(form->HandleAllocated());  // closed: nothing was changed, so no question
  EXPECT_TRUE(ui::App().Terminated());
}

TEST_F(InstallOnMainWindow, ABatchFileThatCannotBeCreatedGoesToTheErrorReport) {
  SelectRow(1);  // Setup
  files.failAt = files.changes + 1;
  ClickButton(form->BtnInstClose);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  const std::string text = prompter.boxes[0].text;
  EXPECT_EQ(prompter.boxes[0].title, "Tallimo Menu/Install System");
  EXPECT_EQ(text.substr(0, 22), "Cannot create file C:\\");  // TEMP is not a folder of `files`
  EXPECT_EQ(text.size(), 22u + 12u + 1u) << text;            // TLM-xxxx.bat and the full stop
  EXPECT_EQ(text.substr(22, 4), "TLM-");
  EXPECT_EQ(text.substr(30), ".bat.");
  EXPECT_EQ(form->InstallScript, StringList{"setup.exe"});
  EXPECT_TRUE(form->HandleAllocated());  // Install & Close left the window open
  EXPECT_FALSE(ui::App().Terminated());
}

// Copy Serial is enabled for an entry with serial lines, and the button and the popup item put
// them on the clipboard joined by carriage returns, then confirm.
TEST_F(InstallOnMainWindow, CopySerialPutsTheSelectedEntrysLinesOnTheClipboard) {
  EXPECT_FALSE(IsWindowEnabled(form->BtnSerial.Handle()));
  SelectRow(1);  // "Setup"
  ASSERT_TRUE(IsWindowEnabled(form->BtnSerial.Handle()));
  ASSERT_TRUE(form->ppCopySerial1->Enabled());
  ClickButton(form->BtnSerial);
  EXPECT_EQ(clipboard.text, "abc\rdef");
  clipboard.text.reset();
  form->ppCopySerial1->Click();
  EXPECT_EQ(clipboard.text, "abc\rdef");
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].title, "Information");
  EXPECT_EQ(prompter.boxes[1].text,
            "The following has been copied to the clipboard:\r\r\"abc\rdef\"");
  SelectRow(0);  // "Empty": no serial lines
  EXPECT_FALSE(IsWindowEnabled(form->BtnSerial.Handle()));
}

// The marks and the install queue on the main window: marked by Space, Ctrl with a click and the
// pop-up menu; Install runs the marked programs in catalogue order, one at a time, asks for the
// drive once, leaves out those without a procedure, and keeps what failed marked.
constexpr const char* kQueueCatalogue =
    "[Program1]\r\nName=Runtime\r\nInstall1=rt.exe\r\n"
    "[Program2]\r\nName=Game\r\nBatch=1\r\nInstall1=%D:\\GAME\\SETUP.EXE\r\n"
    "[Program3]\r\nName=Tool\r\nInstall1=tool.exe /s\r\n"
    "[Program4]\r\nName=Readme\r\n";

struct CountingDrive final : DriveChoice {
  int asked = 0;
  std::optional<char> ChooseDrive() override {
    ++asked;
    return 'e';
  }
};

// Inside the progress window's modal loop: ends the three programs, reads the rows, closes it.
testing::FakeProcessRunner* g_runner = nullptr;
std::vector<std::string> g_rows;
void CALLBACK FinishTheQueue(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  for (uint32_t code : {0u, 3010u, 5u}) g_runner->End(code);
  HWND window = FindWindowA(nullptr, "Tallimo - Installing");
  HWND list = FindWindowExA(window, nullptr, "ListBox", nullptr);
  char text[256] = "";
  for (int i = 0; i < static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); ++i) {
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    g_rows.push_back(text);
  }
  PostMessageA(FindWindowExA(window, nullptr, "Button", "&Close"), BM_CLICK, 0, 0);
}

class QueueOnMainWindow : public InstallOnMainWindow {
 protected:
  void SetUp() override {
    InstallOnMainWindow::SetUp();
    files.files["C:\\Q.INI"] = kQueueCatalogue;
    environment.values["TEMP"] = "C:\\TEMP";
    environment.values["COMSPEC"] = "C:\\WINDOWS\\cmd.exe";
    files.folders.insert("C:\\TEMP");
    prompter.paths = {"C:\\Q.INI"};
    form->ReadINIFile1->Click();  // rows: Game, Readme, Runtime, Tool
    dialogs.drive = &drive;
  }
  TTallimoProg& Entry(int index) { return *form->Cat.ProgramList[static_cast<size_t>(index)]; }
  CountingDrive drive;
};

TEST_F(QueueOnMainWindow, MarkedProgramsInstallOneAfterAnotherInCatalogueOrder) {
  SelectRow(2);  // Runtime: Space marks it
  SendMessageA(form->ListBox1.Handle(), WM_CHAR, ' ', 1);
  EXPECT_TRUE(form->Marks.IsMarked(&Entry(0)));
  EXPECT_EQ(form->LabelSelect.Caption(), "&Select Programs to Install: 1 marked");
  RECT r{};
  SendMessageA(form->ListBox1.Handle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  SendMessageA(form->ListBox1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL,
               MAKELPARAM(r.left + 5, r.top + 5));
  SendMessageA(form->ListBox1.Handle(), WM_LBUTTONUP, MK_CONTROL,
               MAKELPARAM(r.left + 5, r.top + 5));
  EXPECT_EQ(form->ListBox1.Selection().Top, 0);  // Game: selected and marked
  EXPECT_TRUE(form->Marks.IsMarked(&Entry(1)));
  form->PopupMenu1.OnPopup();
  EXPECT_TRUE(form->ppMarkForInstall1->Checked());
  form->ppMarkForInstall1->Click();  // and off again
  EXPECT_FALSE(form->Marks.IsMarked(&Entry(1)));
  form->ppMarkAll1->Click();
  EXPECT_EQ(form->Marks.Count(), 4);

  g_runner = &processes;
  g_rows.clear();
  SetTimer(nullptr, 0, 50, &FinishTheQueue);
  ClickButton(form->BtnInstall);
  EXPECT_EQ(drive.asked, 1);
  ASSERT_EQ(processes.requests.size(), 3u);
  EXPECT_EQ(processes.Commands()[0], "rt.exe");
  EXPECT_EQ(processes.requests[1].program, "C:\\WINDOWS\\cmd.exe");
  EXPECT_EQ(processes.requests[1].parameters.substr(0, 19), "/d /c \"C:\\TEMP\\TLM-");
  EXPECT_EQ(processes.Commands()[2], "tool.exe /s");
  EXPECT_EQ(g_rows,
            (std::vector<std::string>{"Runtime: installed", "Game: installed, restart needed",
                                      "Tool: failed (exit code 5)"}));
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[0].text, std::string(kLeftOutMessage) + "\rReadme");
  EXPECT_EQ(prompter.boxes[1].text, kRestartQuestion);  // answered No, its default
  EXPECT_EQ(restarter.restarts, 0);
  // What installed is no longer marked; the failure and the program left out still are.
  EXPECT_EQ(form->Marks.Count(), 2);
  EXPECT_TRUE(form->Marks.IsMarked(&Entry(2)) && form->Marks.IsMarked(&Entry(3)));
  EXPECT_TRUE(form->HandleAllocated());

  // A removed entry takes its mark along; Clear Marks clears the rest.
  SelectRow(3);  // Tool
  prompter.answers = {TModalResult::mrYes};
  form->ppRemoveProgram1->Click();
  EXPECT_EQ(form->Marks.Count(), 1);
  form->ppClearMarks1->Click();
  EXPECT_TRUE(form->Marks.Empty());
  EXPECT_EQ(form->LabelSelect.Caption(), "&Select a Program to Install");
}

// The copy with administrator rights reports into the same progress window.
testing::FakeElevatedRunner* g_elevated = nullptr;
void CALLBACK FinishTheCopy(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  for (const char* line : {"row 0 running 0 ", "command rt.exe", "row 0 installed 0 ",
                           "row 1 running 0 ", "row 1 failed 5 ", "command "})
    g_elevated->Event(line);
  HWND window = FindWindowA(nullptr, "Tallimo - Installing");
  HWND list = FindWindowExA(window, nullptr, "ListBox", nullptr);
  char text[256] = "";
  for (int i = 0; i < static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); ++i) {
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    g_rows.push_back(text);
  }
  g_elevated->Event("end");
  PostMessageA(FindWindowExA(window, nullptr, "Button", "&Close"), BM_CLICK, 0, 0);
}

TEST_F(QueueOnMainWindow, AProgramNeedingAdministratorRightsHandsTheQueueToTheCopy) {
  form->Marks.SetMarked(&Entry(0), true);  // Runtime
  form->Marks.SetMarked(&Entry(2), true);  // Tool
  ProcessStart needsRights = testing::FakeProcessRunner::CannotStart("elevation", 740);
  needsRights.elevationRequired = true;
  processes.starts = {needsRights};
  g_elevated = &elevated;
  g_rows.clear();
  SetTimer(nullptr, 0, 50, &FinishTheCopy);
  ClickButton(form->BtnInstall);
  ASSERT_EQ(elevated.handOvers.size(), 1u);
  ASSERT_EQ(elevated.handOvers[0].programs.size(), 2u);
  EXPECT_EQ(elevated.handOvers[0].programs[1].lines, StringList{"tool.exe /s"});
  EXPECT_EQ(processes.requests.size(), 1u);
  EXPECT_EQ(g_rows, (std::vector<std::string>{"Runtime: installed", "Tool: failed (exit code 5)"}));
  EXPECT_FALSE(form->Marks.IsMarked(&Entry(0)));
  EXPECT_TRUE(form->Marks.IsMarked(&Entry(2)));
}

}  // namespace
}  // namespace tallimo
