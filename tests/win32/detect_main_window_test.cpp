// Installed programs on the real main window: detected once the window is painted, a mark
// drawn in their rows (their text unchanged), the Information pane's first line, the question
// before installing one again, and the queue's "skipped (already installed)".
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/detail_panes.h"
#include "install/detect.h"
#include "platform/probe_files.h"
#include "platform/wide.h"
#include "ui/application.h"
#include "win32/main_window_fixture.h"

namespace tallimo {
namespace {

constexpr const char* kCatalogue =
    "[Program1]\r\nName=Editor\r\nDetect=%ProgramFiles%\\Editor\\editor.exe\r\n"
    "Install1=ed.exe\r\n"
    "[Program2]\r\nName=Paint\r\nDetect=HKLM\\Software\\Maker\\Paint\r\nInstall1=paint.exe\r\n"
    "[Program3]\r\nName=Tool\r\nDetect=uninstall:Tool\r\nInstall1=tool.exe\r\n";
constexpr const char* kPath = "C:\\Disc\\menu.ini";

class DetectOnMainWindow : public MainWindowFixture<> {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    files.files[kPath] = kCatalogue;
    files.files["C:\\Program Files\\Editor\\editor.exe"] = "";
    environment.values = {{"ProgramFiles", "C:\\Program Files"},
                          {"TEMP", "C:\\TEMP"},
                          {"COMSPEC", "C:\\WINDOWS\\cmd.exe"}};
    files.folders.insert("C:\\TEMP");
    registry.AddKey(TRegistryRoot::rrLocalMachine, "Software\\Maker\\Paint");
    CreateMainForm(std::string("T.exe \"") + kPath + "\"", "C:\\Disc\\T.exe");
  }
  TTallimoProg& Entry(int index) { return *form->Cat.ProgramList[static_cast<size_t>(index)]; }
  // The colour at the middle of where a row's installed mark goes.
  COLORREF MarkPixel(int row) {
    HWND list = form->ListBox1.Handle();
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    const int h = r.bottom - r.top;
    UpdateWindow(list);
    HDC dc = GetDC(list);
    const COLORREF c = GetPixel(dc, r.right - h / 3 - h / 4, r.top + h / 2);
    ReleaseDC(list, dc);
    return c;
  }
};

TEST_F(DetectOnMainWindow, DetectedAfterTheFirstPaintAndShownApartFromTheRowText) {
  EXPECT_TRUE(form->Installed.Empty());  // nothing is looked for before the window shows
  form->Show();
  ui::App().ProcessMessages();
  ASSERT_TRUE(WaitForDetection());
  EXPECT_TRUE(form->Installed.IsMarked(&Entry(0)));
  EXPECT_TRUE(form->Installed.IsMarked(&Entry(1)));
  EXPECT_FALSE(form->Installed.IsMarked(&Entry(2)));
  // Rows Editor, Paint, Tool: the names alone, the mark drawn beside them.
  EXPECT_EQ(form->ListBox1.Cell(0, 0), "Editor");
  EXPECT_EQ(MarkPixel(0), RGB(0, 90, 200));
  EXPECT_EQ(MarkPixel(1), RGB(0, 90, 200));
  EXPECT_NE(MarkPixel(2), RGB(0, 90, 200));

  SelectRow(0);
  EXPECT_EQ(form->MemoInfo.Lines().at(0), kInstalledLine);
  SelectRow(2);
  EXPECT_EQ(form->MemoInfo.Lines().at(0), "");

  // Installed since: found after the next detection.
  registry.SetValue(TRegistryRoot::rrCurrentUser, std::string(kUninstallKey) + "\\T", "DisplayName",
                    "Tool 1.0");
  form->DetectInstalledPrograms();
  ASSERT_TRUE(WaitForDetection());
  EXPECT_TRUE(form->Installed.IsMarked(&Entry(2)));
  EXPECT_EQ(form->MemoInfo.Lines().at(0), kInstalledLine);  // the pane shown follows
}

TEST_F(DetectOnMainWindow, InstallingAnInstalledProgramAsksFirstNoBeingTheDefault) {
  form->Show();
  ui::App().ProcessMessages();
  ASSERT_TRUE(WaitForDetection());
  SelectRow(0);             // Editor
  form->BtnInstallClick();  // answered by its default
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Confirm");
  EXPECT_EQ(prompter.boxes[0].text,
            "Editor is already installed on this computer.\rInstall it again?");
  EXPECT_EQ(prompter.boxes[0].buttons,
            (std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}));
  EXPECT_EQ(prompter.boxes[0].enterAnswer, TModalResult::mrNo);
  EXPECT_TRUE(launched.empty());
  form->BtnInstCloseClick();
  EXPECT_TRUE(form->HandleAllocated());  // No: nothing runs, nothing closes
  prompter.answers = {TModalResult::mrYes};
  form->BtnInstallClick();
  EXPECT_EQ(launched, (std::vector<std::string>{"launch ed.exe"}));
  SelectRow(2);  // Tool: not installed, no question
  form->BtnInstallClick();
  EXPECT_EQ(prompter.boxes.size(), 3u);
  EXPECT_EQ(launched.size(), 2u);
}

// Inside the progress window's modal loop: ends the one program run, reads the rows, closes.
testing::FakeProcessRunner* g_runner = nullptr;
std::vector<std::string> g_rows;
void CALLBACK FinishTheQueue(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (g_runner->Waiting()) g_runner->End(0);
  HWND window = FindWindowW(nullptr, L"Tallimo - Installing");
  HWND list = FindWindowExW(window, nullptr, L"ListBox", nullptr);
  wchar_t text[256] = L"";
  for (int i = 0; i < static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); ++i) {
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    g_rows.push_back(Narrow(text));
  }
  PostMessageW(FindWindowExW(window, nullptr, L"Button", L"&Close"), BM_CLICK, 0, 0);
}

TEST_F(DetectOnMainWindow, TheQueueAsksOnceAndNoSkipsTheInstalledOnes) {
  form->Show();
  ui::App().ProcessMessages();
  ASSERT_TRUE(WaitForDetection());
  form->ppMarkAll1->Click();
  ProcessStart started;
  started.started = true;
  processes.starts = {started};
  g_runner = &processes;
  g_rows.clear();
  SetTimer(nullptr, 0, 50, &FinishTheQueue);
  form->BtnInstallClick();
  ASSERT_GE(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text,
            "These programs are already installed on this computer:\rEditor\rPaint\r"
            "Install them again?");
  EXPECT_EQ(prompter.boxes[0].enterAnswer, TModalResult::mrNo);
  EXPECT_EQ(processes.Commands(), (std::vector<std::string>{"tool.exe"}));
  EXPECT_EQ(g_rows,
            (std::vector<std::string>{"Editor: skipped (already installed)",
                                      "Paint: skipped (already installed)", "Tool: installed"}));
  EXPECT_TRUE(form->Marks.Empty());  // skipped counts as installed
}

// Probes whose share never answers: each question to it waits the probe's whole limit.
class DeadShareProbes : public testing::FakeFileSystem {
 public:
  TFileKind KindOf(const std::string& path) override {
    if (path.rfind("\\\\dead\\", 0) != 0) return FakeFileSystem::KindOf(path);
    Sleep(kProbeLimitMilliseconds);
    return TFileKind::fkNoAnswer;
  }
};

class DeadShareOnMainWindow : public MainWindowFixture<> {};

TEST_F(DeadShareOnMainWindow, TheListShowsAtOnceAndTheMarksComeWhenTheShareIsGivenUp) {
  DeadShareProbes dead;
  dead.files["C:\\Tools\\local.exe"] = "";
  GivingUpFiles probes(dead);
  probeSeam = &probes;
  std::string text = "[Program1]\r\nName=Local\r\nDetect=C:\\Tools\\local.exe\r\n";
  for (int i = 2; i <= 1001; ++i)
    text += "[Program" + std::to_string(i) + "]\r\nName=P" + std::to_string(i) +
            "\r\nDetect=\\\\dead\\apps\\p" + std::to_string(i) + ".exe\r\n";
  const DWORD start = GetTickCount();
  ShowMainFormOn(kPath, text);
  const DWORD shown = GetTickCount() - start;
  EXPECT_EQ(form->ListBox1.RowCount(), 1001);
  EXPECT_LT(shown, kProbeLimitMilliseconds) << "the window waited for the share";
  ASSERT_TRUE(WaitForDetection());
  const DWORD detected = GetTickCount() - start;
  std::printf("1,000 entries on a dead share: window shown after %lu ms, marks after %lu ms\n",
              static_cast<unsigned long>(shown), static_cast<unsigned long>(detected));
  EXPECT_LT(detected - shown, 2 * kProbeLimitMilliseconds) << "the share was asked again";
  EXPECT_TRUE(form->Installed.IsMarked(form->Cat.ProgramList[0].get()));
  EXPECT_EQ(form->Installed.Count(), 1);
}

}  // namespace
}  // namespace tallimo
