// The Add/Edit Program dialog driven in-process with keys and mouse messages, on its own and
// from the main window's popup menu; message boxes and file dialogs answered by the fake
// prompter.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <tuple>

#include "app/main_form.h"
#include "editor/entry_dialog.h"
#include "fakes/fake_clipboard.h"
#include "fakes/fake_prompter.h"
#include "ui/application.h"
#include "unit/catalogue_fakes.h"
#include "unit/install_fakes.h"

namespace tallimo {
namespace {

// Steps run one per timer tick inside the dialog's modal loop, each after the messages the
// step before posted have been handled (a key's character, which the loop posts when it
// translates the key, included).
std::deque<std::function<void()>> g_steps;
void CALLBACK NextStep(HWND, UINT, UINT_PTR, DWORD) {
  if (g_steps.empty()) return;
  auto step = std::move(g_steps.front());
  g_steps.pop_front();
  step();
}

// Closes a dialog still open once every step has run, so that a fault cannot hang the run.
bool g_guardFired = false;
void CALLBACK Guard(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_steps.empty()) return;
  for (HWND h : {FindWindowA(nullptr, "Tallimo - Add/Edit Program")})
    if (h && IsWindowVisible(h)) {
      g_guardFired = true;
      PostMessageA(h, WM_CLOSE, 0, 0);
    }
}

void PostChars(HWND to, const std::string& text) {
  for (char c : text) PostMessageA(to, WM_CHAR, static_cast<unsigned char>(c), 1);
}
void PostKey(HWND to, WPARAM key) {
  PostMessageA(to, WM_KEYDOWN, key, 1);
  PostMessageA(to, WM_KEYUP, key, 0xC0000001);
}
// Alt and a letter, as the system posts it to the focused window.
void PostAlt(HWND to, char letter) {
  PostMessageA(to, WM_SYSCHAR, static_cast<unsigned char>(letter), 0x20000001);
}

class EntryDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::App().SetPrompter(&prompter);
    ui::App().SetHelpEngine(&help);
    ui::App().SetScreen(&screen);
    ui::App().HelpFile = "C:\\Disc\\Tallimo.hlp";
    ui::App().Restart();
    LastBrowseDir.clear();
    g_steps.clear();
    g_guardFired = false;
    timer = SetTimer(nullptr, 0, 20, &NextStep);
    guard = SetTimer(nullptr, 0, 3000, &Guard);
  }
  void TearDown() override {
    KillTimer(nullptr, timer);
    KillTimer(nullptr, guard);
    EXPECT_TRUE(g_steps.empty()) << g_steps.size() << " steps were not run";
    EXPECT_FALSE(g_guardFired) << "a dialog did not close by itself";
    g_steps.clear();
    ui::App().ProcessMessages();
    ui::App().Restart();
    ui::App().SetPrompter(nullptr);
    ui::App().SetHelpEngine(nullptr);
    ui::App().SetScreen(nullptr);
  }
  // The window that has the focus, and a check that it is `control`'s.
  static HWND Focus() { return GetFocus(); }
  void Then(std::function<void()> step) { g_steps.push_back(std::move(step)); }

  testing::FakePrompter prompter;
  testing::FakeHelpEngine help;
  FixedScreen screen{120, 1280, 1024};
  UINT_PTR timer = 0, guard = 0;
};

TEST_F(EntryDialogTest, IsLaidOutAsDesigned) {
  TFTallimoadd dialog;
  dialog.IniFileName = "C:\\My Disc\\menu.ini";
  dialog.Create();
  HWND h = dialog.Handle();
  char text[128] = "";
  GetWindowTextA(h, text, sizeof text);
  EXPECT_STREQ(text, "Tallimo - Add/Edit Program");
  RECT client;
  GetClientRect(h, &client);
  EXPECT_EQ(client.right, 448);
  EXPECT_EQ(client.bottom, 446);
  EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & WS_THICKFRAME);
  EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);

  // The pages at the bottom above the status bar, with their captions.
  EXPECT_EQ(dialog.PageControl1.Top(), 217);
  EXPECT_EQ(dialog.PageControl1.Height(), 205);
  EXPECT_EQ(dialog.StatusBar1.Top(), 422);
  HWND tabs = dialog.PageControl1.Handle();
  ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  const char* captions[] = {" &Installation ", " I&nformation ", " &Specifications "};
  for (int i = 0; i < 3; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, captions[i]);
  }
  EXPECT_TRUE(IsWindowVisible(dialog.MemoAddInst.Handle()) || !IsWindowVisible(h));
  EXPECT_TRUE(GetWindowLongA(dialog.TabSheet1.Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(GetWindowLongA(dialog.TabSheet2.Handle(), GWL_STYLE) & WS_VISIBLE);
  // The memos keep typed lines whole: no scroll bars, wrapped, Enter makes a line.
  const LONG memo = GetWindowLongA(dialog.MemoAddInf.Handle(), GWL_STYLE);
  EXPECT_TRUE(memo & ES_WANTRETURN);
  EXPECT_FALSE(memo & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL));
  EXPECT_TRUE(GetWindowLongA(dialog.BtnOkay.Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_TRUE(dialog.BtnOkay.Font().bold);
  EXPECT_EQ(dialog.CheckBox1.Width(), 17);
  EXPECT_EQ(dialog.Label4.Font().color, TColor{0x0000FF});
  // Each label sized to its caption, at its place or moved left to stay clear of its control.
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
  EXPECT_EQ(dialog.NFOfile.Hint, "Doubt Click for file dialog");

  // Every activation shows the catalogue file; help on a control is a pop-up of its context.
  Then([&] {
    EXPECT_EQ(dialog.StatusBar1.PanelText(0), "C:\\My Disc\\menu.ini");
    SendMessageA(dialog.StatusBar1.Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "C:\\My Disc\\menu.ini");
    EXPECT_EQ(Focus(), dialog.ProgName.Handle());  // focus starts in ProgName
    HELPINFO info{sizeof info, HELPINFO_WINDOW, 0, dialog.MemoAddSpec.Handle(), 0, {0, 0}};
    SendMessageA(h, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    info.hItemHandle = dialog.BtnCancel.Handle();  // context 0: the window's
    SendMessageA(h, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    // Escape in a memo on a page cancels, as everywhere in the dialog; its page stays.
    dialog.MemoAddInst.SetFocus();
    PostKey(dialog.MemoAddInst.Handle(), VK_ESCAPE);
  });
  EXPECT_EQ(dialog.ShowEditor(), TModalResult::mrCancel);
  ui::App().ProcessMessages();
  EXPECT_TRUE(IsWindow(dialog.TabSheet1.Handle()));
  ASSERT_EQ(help.calls.size(), 2u);
  EXPECT_EQ(help.calls[0].kind, "popup");
  EXPECT_EQ(help.calls[0].context, 63);
  EXPECT_EQ(help.calls[1].context, 50);
}

TEST_F(EntryDialogTest, AnEntryTypedWithTheKeysComesBackAsTyped) {
  TFTallimoadd dialog;
  TTallimoProg entry;
  entry.Name = "Old";
  entry.NfoPath = "D:\\EDITOR\\EDITOR.NFO";
  entry.InfoLines = {"kept"};
  dialog.LoadEntry(entry);
  const std::string wide = "E:\\SETUP.EXE /" + std::string(5000, 'x');  // wraps; over 4,096

  Then([&] {
    ASSERT_EQ(Focus(), dialog.ProgName.Handle());
    SendMessageA(Focus(), EM_SETSEL, 0, -1);
    PostChars(Focus(), "Editor");
    PostKey(Focus(), VK_TAB);
  });
  Then([&] {
    ASSERT_EQ(Focus(), dialog.SerialNum.Handle());
    PostChars(Focus(), "KEY-1");
    PostKey(Focus(), VK_RETURN);  // a new line, not Okay
  });
  Then([&] {
    PostChars(Focus(), " ");
    PostKey(Focus(), VK_RETURN);
  });
  Then([&] { PostAlt(Focus(), 'i'); });  // the Installation page, its memo focused
  Then([&] {
    ASSERT_EQ(Focus(), dialog.MemoAddInst.Handle());
    PostChars(Focus(), wide);
    PostKey(Focus(), VK_RETURN);
  });
  Then([&] {
    PostChars(Focus(), "%D:\\GO.BAT");
    PostAlt(Focus(), 'n');
  });
  Then([&] {
    ASSERT_EQ(Focus(), dialog.MemoAddInf.Handle());
    EXPECT_FALSE(IsWindowVisible(dialog.MemoAddInst.Handle()));
    SendMessageA(Focus(), EM_SETSEL, 4, 4);
    PostKey(Focus(), VK_RETURN);
  });
  Then([&] {
    PostChars(Focus(), "Needs CD");
    PostKey(Focus(), VK_TAB);  // Tab leaves a memo
  });
  Then([&] {
    EXPECT_NE(Focus(), dialog.MemoAddInf.Handle());
    PostAlt(Focus(), 'b');  // the red label focuses the check box
  });
  Then([&] {
    ASSERT_EQ(Focus(), dialog.CheckBox1.Handle());
    PostKey(Focus(), VK_SPACE);
    PostKey(Focus(), VK_RETURN);  // Enter outside the memos: Okay
  });
  prompter.answers = {TModalResult::mrYes};
  ASSERT_EQ(dialog.ShowEditor(), TModalResult::mrOK);

  // The question came once, for the NFO path and the install line together.
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Confirm");
  EXPECT_EQ(prompter.boxes[0].icon, TMsgDlgType::mtConfirmation);
  EXPECT_EQ(prompter.boxes[0].text,
            "You have specified an absolute path to the NFO file.\r"
            "If you are burning this program/config to a CDRom you may\r"
            "want to use a relative path (ie. without the drive specified).\r"
            "Do you want to convert to a relative path now?");
  dialog.StoreEntry(entry);
  EXPECT_EQ(entry.Name, "Editor");
  EXPECT_EQ(entry.NfoPath, "\\EDITOR\\EDITOR.NFO");
  EXPECT_TRUE(entry.Batch);
  EXPECT_EQ(entry.SerialLines, StringList{"KEY-1"});  // the blank lines trimmed
  ASSERT_EQ(entry.InstallLines.size(), 2u);
  EXPECT_EQ(entry.InstallLines[0], wide.substr(2));  // one line, whole, without its drive
  EXPECT_EQ(entry.InstallLines[1], "%D:\\GO.BAT");
  EXPECT_EQ(entry.InfoLines, (StringList{"kept", "Needs CD"}));
  EXPECT_TRUE(entry.SpecsLines.empty());
}

TEST_F(EntryDialogTest, AnIncompleteEntryKeepsTheDialogOpenAndThePickersFillThePaths) {
  TFTallimoadd dialog;
  dialog.LoadEntry(TTallimoProg{});
  prompter.paths = {"D:\\EDITOR\\EDITOR.NFO", "\\\\server\\share\\SETUP.EXE", ""};
  prompter.answers = {TModalResult::mrOK, TModalResult::mrNo};
  Then([&] {
    SendMessageA(dialog.SerialNum.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(" \r\n\r\n "));
    SendMessageA(dialog.BtnOkay.Handle(), BM_CLICK, 0, 0);  // no name, no procedure
  });
  Then([&] {
    EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
    EXPECT_EQ(dialog.SerialNum.Text(), " ");  // only the first line stays
    PostMessageA(dialog.NFOfile.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(dialog.MemoAddInst.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(dialog.MemoAddInst.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    PostChars(dialog.ProgName.Handle(), " ");
  });
  Then([&] {
    EXPECT_EQ(dialog.NFOfile.Text(), "\\EDITOR\\EDITOR.NFO");  // picked without its drive
    SendMessageA(dialog.NFOfile.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("D:\\X.NFO"));
    SendMessageA(dialog.BtnOkay.Handle(), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(dialog.ShowEditor(), TModalResult::mrOK);

  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[0].title, "Error");
  EXPECT_EQ(prompter.boxes[0].text,
            "There must be at least a \"Program Name\"\rand an \"Install Procedure\" specified.");
  EXPECT_EQ(prompter.boxes[1].title, "Confirm");  // the NFO path: answered No
  ASSERT_EQ(prompter.fileDialogs.size(), 3u);
  const FileDialogOptions& nfo = prompter.fileDialogs[0].options;
  EXPECT_EQ(nfo.title, "Find NFO File...");
  EXPECT_EQ(nfo.filter, "Text & NFO Files|*.NFO;*.DIZ;*.TXT;*.ME;*.ASC|All Files|*.*");
  EXPECT_EQ(nfo.initialDir, "");
  EXPECT_TRUE(nfo.fileMustExist && nfo.pathMustExist && nfo.hideReadOnly && nfo.noNetworkButton &&
              nfo.noDereferenceLinks && nfo.noTestFileCreate);
  const FileDialogOptions& install = prompter.fileDialogs[1].options;
  EXPECT_EQ(install.title, "Find Install Program...");
  EXPECT_EQ(install.filter, "Executable Files|*.EXE;*.BAT;*.COM|All Files|*.*");
  EXPECT_EQ(install.initialDir, "D:\\EDITOR");  // the folder of the first pick
  EXPECT_EQ(prompter.fileDialogs[2].options.initialDir, "\\\\server\\share");
  EXPECT_EQ(LastBrowseDir, "\\\\server\\share");  // the cancelled pick changed nothing

  TTallimoProg entry;
  dialog.StoreEntry(entry);
  EXPECT_EQ(entry.Name, " ");
  EXPECT_EQ(entry.NfoPath, "D:\\X.NFO");                                      // No: kept absolute
  EXPECT_EQ(entry.InstallLines, StringList{"\\\\server\\share\\SETUP.EXE"});  // kept whole
  EXPECT_EQ(entry.SerialLines, StringList{" "});
}

// The commands from the main window's popup menu, over the real dialog.
TEST_F(EntryDialogTest, ThePopupCommandsAddEditAndRemoveEntries) {
  testing::MemoryFileSystem files;
  testing::EnglishLocale locale;
  testing::FixedClock clock;
  testing::FakeClipboard clipboard;
  test::FakeEnvironment environment;
  test::EventLog launched;
  test::FakeShell shell{launched};
  const char* path = "C:\\Disc\\menu.ini";
  files.files[path] =
      "[Program1]\r\nName=b\r\nInstall1=b.exe\r\n[Program2]\r\nName=a\r\nInstall1=a.exe\r\n";
  TFTallimo form(MainWindowSeams{files, locale, clock,
                                 std::string("\"C:\\Disc\\Tallimo.exe\" \"") + path + "\"",
                                 "C:\\Disc\\Tallimo.exe", clipboard, environment, shell});
  form.Create();
  TFTallimoadd dialog;
  FTallimoadd = &dialog;
  HWND list = form.ListBox1.Handle();
  auto rows = [&] {
    std::string all;
    char row[64];
    for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
      SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row));
      all += std::string(all.empty() ? "" : ",") + row;
    }
    return all;
  };

  EXPECT_TRUE(form.ppAddProgram1->Enabled());
  Then([&] {
    EXPECT_EQ(dialog.StatusBar1.PanelText(0), path);
    PostChars(Focus(), "C");
    PostAlt(Focus(), 'i');
  });
  Then([&] {
    PostChars(Focus(), "c.exe");
    PostKey(dialog.CheckBox1.Handle(), VK_RETURN);
  });
  form.ppAddProgram1->Click();
  EXPECT_EQ(rows(), "a,b,C");
  EXPECT_EQ(form.ListBox1.Selection().Top, -1);
  EXPECT_TRUE(form.Cat.Modified);
  ASSERT_EQ(form.Cat.ProgramList.size(), 3u);
  EXPECT_EQ(form.Cat.ProgramList[2]->InstallLines, StringList{"c.exe"});

  // Edit of "a": the dialog opens on its fields, on the first page; OK moves it to the end.
  form.ListBox1.SetSelection({0, 0, 0, 0});
  Then([&] {
    EXPECT_EQ(dialog.ProgName.Text(), "a");
    EXPECT_EQ(dialog.PageControl1.ActivePageIndex(), 0);
    PostKey(dialog.ProgName.Handle(), VK_RETURN);
  });
  form.ppEditProcedure1->Click();
  EXPECT_EQ(form.Cat.ProgramList.back()->Name, "a");
  EXPECT_EQ(form.Cat.ProgramList[0]->Name, "b");
  EXPECT_EQ(form.ListBox1.Selection().Top, -1);

  // Remove of "b" after its question.
  form.ListBox1.SetSelection({0, 1, 0, 1});
  prompter.answers = {TModalResult::mrYes};
  form.ppRemoveProgram1->Click();
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text, "Are you sure you want to remove this program?\r\"b\"");
  EXPECT_EQ(rows(), "a,C");
  // Without a selection: the warning and nothing else.
  form.ppEditProcedure1->Click();
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].text, "You must first select an item!");
  FTallimoadd = nullptr;
}

}  // namespace
}  // namespace tallimo
