// The Add/Edit Program dialog driven in-process with keys and mouse messages; boxes and file
// dialogs answered by the fake prompter.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "editor/entry_dialog.h"
#include "fakes/fake_help_engine.h"
#include "fakes/fake_prompter.h"
#include "platform/screen.h"
#include "ui/application.h"

namespace tallimo {
namespace {

// Steps run one per timer tick inside the modal loop, each after the messages that the step
// before posted were handled; once all have run, a dialog still open is closed (a fault must
// not hang the run).
std::deque<std::function<void()>> g_steps;
bool g_guardFired = false;
void CALLBACK NextStep(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_steps.empty()) {
    auto step = std::move(g_steps.front());
    g_steps.pop_front();
    step();
  }
}
void CALLBACK Guard(HWND, UINT, UINT_PTR, DWORD) {
  HWND h = FindWindowA(nullptr, "Tallimo - Add/Edit Program");
  if (g_steps.empty() && h && IsWindowVisible(h)) {
    g_guardFired = true;
    PostMessageA(h, WM_CLOSE, 0, 0);
  }
}

void Chars(const std::string& text) {
  for (char c : text) PostMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
}
void Key(WPARAM key, HWND to = GetFocus()) {
  PostMessageA(to, WM_KEYDOWN, key, 1);
  PostMessageA(to, WM_KEYUP, key, 0xC0000001);
}
void Alt(char letter) {  // as the system posts Alt and a letter to the focused window
  PostMessageA(GetFocus(), WM_SYSCHAR, static_cast<unsigned char>(letter), 0x20000001);
}
void DoubleClick(HWND h) {
  PostMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
}

class EntryDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::App().SetPrompter(&prompter);
    ui::App().SetHelpEngine(&help);
    ui::App().SetScreen(&screen);
    ui::App().Restart();
    g_guardFired = false;
    timers[0] = SetTimer(nullptr, 0, 20, &NextStep);
    timers[1] = SetTimer(nullptr, 0, 3000, &Guard);
  }
  void TearDown() override {
    for (UINT_PTR t : timers) KillTimer(nullptr, t);
    EXPECT_TRUE(g_steps.empty()) << g_steps.size() << " steps were not run";
    EXPECT_FALSE(g_guardFired) << "a dialog did not close by itself";
    g_steps.clear();
    ui::App().Restart();
    ui::App().SetPrompter(nullptr);
    ui::App().SetHelpEngine(nullptr);
    ui::App().SetScreen(nullptr);
  }
  void Then(std::function<void()> step) { g_steps.push_back(std::move(step)); }

  testing::FakePrompter prompter;
  testing::FakeHelpEngine help;
  FixedScreen screen{120, 1280, 1024};
  UINT_PTR timers[2] = {};
  TFTallimoadd dialog{prompter, HostSystemColors()};
};

TEST_F(EntryDialogTest, IsLaidOutAsDesigned) {
  dialog.IniFileName = "C:\\My Disc\\menu.ini";
  dialog.Create();
  RECT client;
  GetClientRect(dialog.Handle(), &client);
  EXPECT_EQ(client.right * 1000 + client.bottom, 448446);
  EXPECT_EQ(dialog.PageControl1.Top() * 1000 + dialog.StatusBar1.Top(), 217422);
  // Labels sized to their captions, moved left where needed to stay clear of their controls.
  const std::tuple<ui::Label&, int, ui::WinControl&> labels[] = {
      {dialog.Label1, 26, dialog.ProgName},
      {dialog.Label2, 15, dialog.SerialNum},
      {dialog.Label3, 63, dialog.NFOfile},
      {dialog.Label4, 325, dialog.CheckBox1}};
  for (const auto& [label, left, control] : labels) {
    EXPECT_GT(label.Width(), 40) << label.Name;
    EXPECT_LE(label.Left(), left) << label.Name;
    EXPECT_LT(label.Left() + label.Width(), control.Left()) << label.Name;
  }
  Then([&] {
    EXPECT_EQ(dialog.StatusBar1.PanelText(0), "C:\\My Disc\\menu.ini");  // at activation
    EXPECT_EQ(GetFocus(), dialog.ProgName.Handle());
    // Help on a control: its context as a pop-up, or the window's for a control of none.
    HELPINFO info{sizeof info, HELPINFO_WINDOW, 0, dialog.ProgName.Handle(), 0, {0, 0}};
    SendMessageA(dialog.Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    info.hItemHandle = dialog.BtnCancel.Handle();
    SendMessageA(dialog.Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    // Escape does nothing here, in a field or in a memo on a page: a stray one must not throw
    // away a typed entry.
    Key(VK_ESCAPE, dialog.MemoAddInst.Handle());
    Key(VK_ESCAPE, dialog.ProgName.Handle());
  });
  Then([&] {
    EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
    PostMessageA(dialog.BtnCancel.Handle(), BM_CLICK, 0, 0);  // Cancel cancels
  });
  EXPECT_EQ(dialog.ShowEditor(), TModalResult::mrCancel);
  EXPECT_TRUE(IsWindow(dialog.TabSheet1.Handle()));
  // Each pop-up placed at the top-left corner of the control asked about first.
  RECT name, cancel;
  GetWindowRect(dialog.ProgName.Handle(), &name);
  GetWindowRect(dialog.BtnCancel.Handle(), &cancel);
  const std::string file = ui::App().HelpFile;
  EXPECT_EQ(help.calls,
            (std::vector<testing::FakeHelpEngine::Call>{{"position", file, name.left, name.top},
                                                        {"popup", file, 51},
                                                        {"position", file, cancel.left, cancel.top},
                                                        {"popup", file, 50}}));
}

TEST_F(EntryDialogTest, AnEntryTypedWithTheKeysComesBackAsTyped) {
  TTallimoProg entry;
  entry.Name = "Editor";
  entry.InfoLines = {"kept"};
  dialog.LoadEntry(entry);
  const std::string wide = "E:\\SETUP.EXE /" + std::string(5000, 'x');  // wraps; over 4,096
  prompter.answers = {TModalResult::mrOK, TModalResult::mrYes};
  prompter.paths = {"D:\\EDITOR\\EDITOR.NFO", "\\\\server\\share\\GO.BAT"};
  Then([&] { Key(VK_TAB); });
  Then([&] {
    ASSERT_EQ(GetFocus(), dialog.SerialNum.Handle());
    Chars("KEY-1");
    Key(VK_RETURN);  // a new line, not Okay
  });
  Then([&] {
    Chars(" ");
    Key(VK_RETURN);
  });
  Then([&] { Key(VK_RETURN, dialog.ProgName.Handle()); });  // Okay: no procedure yet
  Then([&] {
    EXPECT_EQ(dialog.SerialNum.Text(), "KEY-1");  // trimmed, and the dialog is still open
    DoubleClick(dialog.NFOfile.Handle());         // \EDITOR\EDITOR.NFO
    Alt('i');                                     // the Installation page, its memo focused
  });
  Then([&] {
    ASSERT_EQ(GetFocus(), dialog.MemoAddInst.Handle());
    Chars(wide);
    Key(VK_RETURN);
  });
  Then([&] {
    DoubleClick(dialog.MemoAddInst.Handle());  // the network path appended whole
    Alt('n');
  });
  Then([&] {
    ASSERT_EQ(GetFocus(), dialog.MemoAddInf.Handle());
    SendMessageA(GetFocus(), EM_SETSEL, 4, 4);
    Key(VK_RETURN);
  });
  Then([&] {
    Chars("Needs CD");
    Key(VK_TAB);  // Tab leaves a memo
  });
  Then([&] {
    EXPECT_NE(GetFocus(), dialog.MemoAddInf.Handle());
    Alt('b');  // the red label focuses the check box
  });
  Then([&] {
    ASSERT_EQ(GetFocus(), dialog.CheckBox1.Handle());
    Key(VK_SPACE);
    Key(VK_RETURN);  // Okay
  });
  ASSERT_EQ(dialog.ShowEditor(), TModalResult::mrOK);

  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[0].text,
            "There must be at least a \"Program Name\"\rand an \"Install Procedure\" specified.");
  EXPECT_EQ(prompter.boxes[1].title, "Confirm");  // for the install line: Yes
  EXPECT_EQ(prompter.fileDialogs.at(0).options.title, "Find NFO File...");
  EXPECT_EQ(prompter.fileDialogs.at(1).options.title, "Find Install Program...");
  EXPECT_EQ(prompter.fileDialogs[1].options.initialDir, "D:\\EDITOR");  // the last pick's
  dialog.StoreEntry(entry);
  EXPECT_EQ(entry.NfoPath, "\\EDITOR\\EDITOR.NFO");
  EXPECT_TRUE(entry.Batch);
  EXPECT_EQ(entry.SerialLines, StringList{"KEY-1"});
  EXPECT_EQ(entry.InstallLines, (StringList{wide.substr(2), "\\\\server\\share\\GO.BAT"}));
  EXPECT_EQ(entry.InfoLines, (StringList{"kept", "Needs CD"}));
}

// The Options page's group fields by their letters; a category of 10,000 characters shown cut in
// the drop-down, and kept whole when picked there; the entry's restart rule shown, and the one
// picked kept.
TEST_F(EntryDialogTest, TheGroupFieldsByTheirLettersAndALongCategoryKeptWhole) {
  const std::string longName(10000, 'c');
  dialog.SetCategories({"Office", longName});
  TTallimoProg entry;
  entry.Name = "Editor";
  entry.InstallLines = {"ed.exe"};
  entry.Restart = TRestartRule::rrAlways;
  dialog.LoadEntry(entry);
  Then([&] { Alt('t'); });  // the Options page
  Then([&] { Alt('r'); });
  Then([&] {
    ASSERT_EQ(GetFocus(), dialog.ComboRestart.Handle());
    EXPECT_EQ(dialog.ComboRestart.Text(), "Always, before the next program");
    Key(VK_UP);
    Alt('g');
  });
  Then([&] {
    ASSERT_EQ(GetParent(GetFocus()), dialog.ComboCategory.Handle());
    EXPECT_EQ(SendMessageA(dialog.ComboCategory.Handle(), CB_GETLBTEXTLEN, 1, 0), 63);
    SendMessageA(dialog.ComboCategory.Handle(), CB_SETCURSEL, 1, 0);
    Alt('a');
  });
  Then([&] {
    Chars("Office PC; Home");
    Alt('m');  // checks the box
  });
  Then([&] { Key(VK_RETURN); });
  ASSERT_EQ(dialog.ShowEditor(), TModalResult::mrOK);
  dialog.StoreEntry(entry);
  EXPECT_EQ(entry.Category, longName);
  EXPECT_EQ(entry.Restart, TRestartRule::rrWhenNeeded);
  EXPECT_EQ(entry.Presets, (StringList{"Office PC", "Home"}));
  EXPECT_TRUE(entry.Default);
}

// The Options page's labels and fields inside the page and clear of one another, at 96 and 120
// pixels an inch; a drop-down's window is its closed height.
TEST_F(EntryDialogTest, TheOptionsPageHoldsItsFieldsApartAtBothScales) {
  for (int ppi : {96, 120}) {
    FixedScreen scaled{ppi, 1280, 1024};
    ui::App().SetScreen(&scaled);
    TFTallimoadd d{prompter, HostSystemColors()};
    d.Create();
    RECT page, both;
    GetClientRect(d.TabSheet4.Handle(), &page);
    std::vector<RECT> placed;
    for (ui::Control* c : d.TabSheet4.Children()) {
      RECT r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
      if (c->IsWindowed() && GetWindowRect(static_cast<ui::WinControl*>(c)->Handle(), &r))
        MapWindowPoints(nullptr, d.TabSheet4.Handle(), reinterpret_cast<POINT*>(&r), 2);
      EXPECT_TRUE(IntersectRect(&both, &r, &page) && EqualRect(&both, &r)) << ppi << ' ' << c->Name;
      for (const RECT& other : placed) EXPECT_FALSE(IntersectRect(&both, &r, &other)) << c->Name;
      placed.push_back(r);
    }
    EXPECT_EQ(placed.size(), 11u);
  }
  ui::App().SetScreen(&screen);
}

// Lone CR and LF line breaks (a paste from a file with Unix line ends) are the lines the memo
// shows, and so the lines kept; a line break in a one-line field becomes a space on Okay.
TEST_F(EntryDialogTest, LineBreaksAreKeptAsShown) {
  Then([&] {
    ASSERT_TRUE(OpenClipboard(dialog.Handle()));
    EmptyClipboard();
    const char pasted[] = "one\ntwo\rthree";
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
    memcpy(GlobalLock(data), pasted, sizeof pasted);
    GlobalUnlock(data);
    SetClipboardData(CF_TEXT, data);
    CloseClipboard();
    SendMessageA(dialog.MemoAddInst.Handle(), WM_PASTE, 0, 0);
    dialog.MemoAddInf.SetText("a\nb");
    dialog.ProgName.SetText("Na\nme");
    dialog.NFOfile.SetText("\\A.NFO\r\n");
    Key(VK_RETURN, dialog.ProgName.Handle());  // Okay
  });
  ASSERT_EQ(dialog.ShowEditor(), TModalResult::mrOK);
  EXPECT_EQ(dialog.MemoAddInst.Text(), "one\r\ntwo\r\nthree");
  TTallimoProg entry;
  dialog.StoreEntry(entry);
  EXPECT_EQ(entry.Name, "Na me");
  EXPECT_EQ(entry.NfoPath, "\\A.NFO ");
  EXPECT_EQ(entry.InstallLines, (StringList{"one", "two", "three"}));
  EXPECT_EQ(entry.InfoLines, (StringList{"a", "b"}));
}

}  // namespace
}  // namespace tallimo
