// The help engine against the system's HTML Help: the help window that F1 on the list and
// Help > Contents open from the built Tallimo.chm, a pop-up text at a control of the Drive
// dialog, and the box for a help file that is missing.
#include "ui/help_engine_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "help/help_topics.h"
#include "install/drive_dialog.h"
#include "main_window_fixture.h"

namespace tallimo {
namespace {

using Call = testing::FakeHelpEngine::Call;

// The compiled help beside the build's programs (this test runs from tests/ below them).
std::string BuiltHelpFile() {
  char exe[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string relative = exe;
  relative = relative.substr(0, relative.find_last_of('\\')) + "\\..\\Tallimo.chm";
  char full[MAX_PATH] = "";
  GetFullPathNameA(relative.c_str(), MAX_PATH, full, nullptr);
  return full;
}

// The help window's title as the help project names it.
std::string ProjectTitle() {
  std::ifstream project(std::string(TALLIMO_SOURCE_DIR) + "/help/Tallimo.hhp");
  for (std::string line; std::getline(project, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("Title=")) return line.substr(6);
  }
  return "";
}

// Passes every request to the real engine and records it.
class RecordingHelpEngine : public HelpEngine {
 public:
  explicit RecordingHelpEngine(HelpEngine& real) : real_(real) {}
  void ShowContext(const std::string& f, int c) override {
    record.ShowContext(f, c);
    real_.ShowContext(f, c);
  }
  void SetPopupPos(const std::string& f, int x, int y) override {
    record.SetPopupPos(f, x, y);
    real_.SetPopupPos(f, x, y);
  }
  void ShowPopup(const std::string& f, int c) override {
    record.ShowPopup(f, c);
    real_.ShowPopup(f, c);
  }
  void Quit(const std::string& f) override {
    record.Quit(f);
    real_.Quit(f);
  }
  testing::FakeHelpEngine record;

 private:
  HelpEngine& real_;
};

// F1 as the message loop turns the key into help for the focused window (WM_KEYF1).
void F1On(HWND h) {
  SendMessageA(h, 0x004D, 0, 0);
}

// Whether a visible top-level window of this process has `title`, once the help has had a
// moment to open or close it.
bool HelpWindowShown(const std::string& title, bool expected) {
  bool shown = !expected;
  for (int i = 0; i < 50 && shown != expected; ++i) {
    if (i > 0) Sleep(20);
    ui::App().ProcessMessages();
    HWND w = FindWindowA(nullptr, title.c_str());
    DWORD pid = 0;
    if (w) GetWindowThreadProcessId(w, &pid);
    shown = w && pid == GetCurrentProcessId() && IsWindowVisible(w);
  }
  return shown;
}

class HelpEngineWin32 : public MainWindowFixture<> {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ui::App().SetHelpEngine(&recording);
    helpSeam = &recording;
    ui::App().HelpFile = chm;
  }
  void TearDown() override {
    engine.Quit(chm);
    ui::App().HelpFile.clear();
    MainWindowFixture::TearDown();
  }
  std::vector<Call> Take() { return std::exchange(recording.record.calls, {}); }

  const std::string chm = BuiltHelpFile();
  HtmlHelpEngine engine{prompter};
  RecordingHelpEngine recording{engine};
};

TEST_F(HelpEngineWin32, F1OnTheListAndContentsOpenTheHelpWindowAndTheEndClosesIt) {
  const std::string title = ProjectTitle();
  ASSERT_FALSE(title.empty());
  ASSERT_NE(GetFileAttributesA(chm.c_str()), INVALID_FILE_ATTRIBUTES) << chm;
  CreateMainForm("\"C:\\Disc\\Tallimo.exe\"", "C:\\Disc\\Tallimo.exe");
  form->Show();
  ASSERT_FALSE(HelpWindowShown(title, false));

  F1On(form->ListBox1.Handle());
  EXPECT_EQ(Take(), (std::vector<Call>{{"context", chm, 2}}));
  EXPECT_TRUE(HelpWindowShown(title, true));
  engine.Quit(chm);  // as the program's end does: HH_CLOSE_ALL
  EXPECT_FALSE(HelpWindowShown(title, false));

  form->Contents1->Click();
  EXPECT_EQ(Take(), (std::vector<Call>{{"context", chm, 1}}));
  EXPECT_TRUE(HelpWindowShown(title, true));
  EXPECT_TRUE(prompter.boxes.empty());
}

class FixedDrives final : public Drives {
 public:
  std::vector<DriveInfo> ListDrives() override { return {{'c', TDriveType::dtFixed, "SYSTEM"}}; }
  char CurrentDrive() override { return 'c'; }
};

// Wine's HTML Help shows no text pop-ups: the engine's own window shows the text at the control.
TEST_F(HelpEngineWin32, APopupTextShowsAtAControlOfTheDriveDialog) {
  FixedDrives drives;
  TFTallimodrive dialog(drives, HostSystemColors());
  dialog.Create();
  dialog.Show();
  HWND combo = dialog.DriveComboBox1.Handle();
  F1On(combo);
  RECT control;
  GetWindowRect(combo, &control);
  EXPECT_EQ(Take(),
            (std::vector<Call>{{"position", chm, control.left, control.top}, {"popup", chm, 40}}));
  HWND popup = engine.OwnPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(IsWindowVisible(popup));
  char text[1024] = "";
  GetWindowTextA(popup, text, sizeof text);
  EXPECT_STREQ(text, FindHelpTopic(40)->popup);
  RECT at;
  GetWindowRect(popup, &at);
  EXPECT_EQ(at.left, control.left);
  EXPECT_EQ(at.top, control.top);
  // Any key closes it.
  SendMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(engine.OwnPopup(), nullptr);
  EXPECT_FALSE(IsWindow(popup));
  dialog.DestroyHandle();
}

// Without the help file: one box (information) naming it; pop-up texts need no file.
TEST_F(HelpEngineWin32, AMissingHelpFileIsNamedInOneBox) {
  const std::string missing = "C:\\No Such Folder\\Tallimo.chm";
  const std::string box = "The help file " + missing + " was not found.";
  struct Case {
    bool popup;
    int context;
    bool boxShown;
  } cases[] = {{false, 2, true}, {false, 0, true}, {true, 2, true}, {true, 51, false}};
  for (const Case& c : cases) {
    prompter.boxes.clear();
    engine.SetPopupPos(missing, 10, 10);
    if (c.popup)
      engine.ShowPopup(missing, c.context);
    else
      engine.ShowContext(missing, c.context);
    if (c.boxShown) {
      ASSERT_EQ(prompter.boxes.size(), 1u) << c.context;
      EXPECT_EQ(prompter.boxes[0].title, "Information");
      EXPECT_EQ(prompter.boxes[0].text, box);
      EXPECT_EQ(prompter.boxes[0].icon, TMsgDlgType::mtInformation);
      EXPECT_EQ(prompter.boxes[0].buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbOK});
    } else {
      EXPECT_TRUE(prompter.boxes.empty()) << c.context;
      EXPECT_NE(engine.OwnPopup(), nullptr);
    }
  }
}

}  // namespace
}  // namespace tallimo
