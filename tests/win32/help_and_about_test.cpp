// Context help as the windows ask the help engine for it (F1 on a control, F1 on a highlighted
// menu item), the application's task-bar window that owns the main window, and the About box.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app/main_form.h"
#include "fakes/fake_clipboard.h"
#include "fakes/fake_prompter.h"
#include "ui/application.h"
#include "ui/edit.h"
#include "ui/panel.h"
#include "unit/catalogue_fakes.h"
#include "unit/install_fakes.h"

namespace tallimo {
namespace {

using Call = testing::FakeHelpEngine::Call;
constexpr const char* kHelp = "C:\\Disc\\Tallimo.hlp";

// F1 as the system turns it into help for the focused window (the undocumented WM_KEYF1 that
// the message loop posts for the F1 key).
constexpr UINT kKeyF1 = 0x004D;
void F1On(HWND h) {
  SendMessageA(h, kKeyF1, 0, 0);
}

// F1 on a highlighted menu item, as the menu loop reports it to the owner window.
void F1OnMenuItem(HWND owner, UINT_PTR itemId, HMENU menu) {
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_MENUITEM;
  info.iCtrlId = static_cast<int>(itemId);
  info.hItemHandle = menu;
  SendMessageA(owner, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

class ContextHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::App().SetHelpEngine(&help);
    ui::App().SetScreen(&screen);
    ui::App().HelpFile = kHelp;
    ui::App().Restart();
  }
  void TearDown() override {
    form.reset();
    ui::App().ProcessMessages();
    ui::App().Restart();
    ui::App().SetHelpEngine(nullptr);
    ui::App().SetScreen(nullptr);
  }
  std::vector<Call> Take() { return std::exchange(help.calls, {}); }
  void StartMainForm(const char* catalogue) {
    files.files["C:\\Disc\\Tallimo.ini"] = catalogue;
    form = std::make_unique<TFTallimo>(
        MainWindowSeams{files, locale, clock, "\"C:\\Disc\\Tallimo.exe\"", "C:\\Disc\\Tallimo.exe",
                        clipboard, environment, shell});
    form->Create();
  }

  testing::FakeHelpEngine help;
  FixedScreen screen{96, 1280, 1024};
  testing::FakeClipboard clipboard;
  test::FakeEnvironment environment;
  test::EventLog launched;
  test::FakeShell shell{launched};
  testing::MemoryFileSystem files;
  testing::EnglishLocale locale;
  testing::FixedClock clock;
  std::unique_ptr<TFTallimo> form;
};

// The main window: help in the help window, the Help menu, the task-bar window, the About box.
TEST_F(ContextHelp, TheMainWindowsHelpTaskBarButtonAndAboutBox) {
  StartMainForm(
      "[General]\r\nCaption=Disc\r\nCreatedBy=Jo\r\nNote1=One\r\nNote2=\r\n"
      "Note3=Three\r\n");
  // A button, its panel and the window have context 0: no help. The list: topic 2.
  F1On(form->BtnInstall.Handle());
  F1On(form->ListBox1.Handle());
  // Menu items: their context, else their parent item's, else 0, asked for all the same; the
  // popup's items through the list that opened it.
  HWND h = form->Handle();
  HMENU bar = GetMenu(h);
  F1OnMenuItem(h, static_cast<UINT_PTR>(form->Exit1->Command()), bar);
  F1OnMenuItem(h, reinterpret_cast<UINT_PTR>(GetSubMenu(bar, 0)), bar);  // "&Config" itself
  F1OnMenuItem(form->ListBox1.Handle(), static_cast<UINT_PTR>(form->ppViewNFO1->Command()),
               form->PopupMenu1.Handle());
  form->Contents1->Click();
  EXPECT_EQ(Take(), (std::vector<Call>{{"context", kHelp, 2},
                                       {"context", kHelp, 0},
                                       {"context", kHelp, 0},
                                       {"context", kHelp, 23},
                                       {"context", kHelp, 1}}));

  // The task bar's button is the application's window: its title, no size, owning the form.
  HWND app = GetWindow(h, GW_OWNER);
  char title[64] = "";
  GetWindowTextA(app, title, sizeof title);
  EXPECT_STREQ(title, "Tallimo Menu/Install System");
  RECT r;
  EXPECT_TRUE(GetWindowRect(app, &r) && IsRectEmpty(&r));

  // Help > About, twice, with the header changed in between; the logo closes it.
  TFTallimoabout about;
  FTallimoabout = &about;
  about.Create();
  auto showAndClickTheLogo = [&] {
    const LPARAM at = MAKELPARAM(about.Image1.Left() + 5, about.Image1.Top() + 5);
    PostMessageA(about.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);  // handled once it is up
    PostMessageA(about.Handle(), WM_LBUTTONUP, 0, at);
    form->About1->Click();
    EXPECT_FALSE(IsWindowVisible(about.Handle()));
  };
  showAndClickTheLogo();
  EXPECT_EQ(about.LabelEffect1.Caption(), "Setup by Jo");
  EXPECT_EQ(about.Label2.Caption(), form->Cat.WriteDate);
  EXPECT_EQ(about.Memo2.Lines(), (std::vector<std::string>{"One", "", "Three"}));
  EXPECT_FALSE(GetWindowLongA(about.Memo2.Handle(), GWL_STYLE) & WS_TABSTOP);
  F1On(about.Memo2.Handle());  // the box's own help name and context
  EXPECT_EQ(Take(), (std::vector<Call>{{"context", "90", 70}}));
  form->Cat.CreatedBy.clear();
  form->Cat.WriteDate = "Tue, 8 Dec 2026, 9:15 am";
  form->Cat.NoteLines.clear();
  showAndClickTheLogo();
  EXPECT_EQ(about.LabelEffect1.Caption(), "");
  EXPECT_EQ(about.Label2.Caption(), "Tue, 8 Dec 2026, 9:15 am");
  EXPECT_EQ(about.Memo2.Lines(), std::vector<std::string>{});
  FTallimoabout = nullptr;
}

// A window with the caption help button: a pop-up at the control asked about, with the nearest
// enclosing context, from the window's own help file when it names one.
TEST_F(ContextHelp, ADialogWithTheHelpButtonShowsPopupsAtTheControl) {
  ui::Form dialog;
  dialog.HelpButton = true;
  dialog.HelpContext = 50;
  ui::Panel panel;
  panel.SetParent(&dialog);
  panel.SetBounds(10, 20, 200, 100);
  ui::Edit named, unnamed;
  named.SetParent(&panel);
  named.SetBounds(5, 6, 100, 20);
  named.HelpContext = 51;
  unnamed.SetParent(&panel);
  unnamed.SetBounds(5, 40, 100, 20);
  dialog.Create();
  RECT a, b;
  GetWindowRect(named.Handle(), &a);
  GetWindowRect(unnamed.Handle(), &b);
  F1On(named.Handle());
  F1On(unnamed.Handle());
  dialog.HelpFile = "90";
  dialog.HelpContext = 0;
  F1On(unnamed.Handle());  // nothing encloses it with a context: no help
  F1On(named.Handle());
  EXPECT_EQ(Take(), (std::vector<Call>{{"position", kHelp, a.left, a.top},
                                       {"popup", kHelp, 51},
                                       {"position", kHelp, b.left, b.top},
                                       {"popup", kHelp, 50},
                                       {"position", "90", a.left, a.top},
                                       {"popup", "90", 51}}));
  dialog.DestroyHandle();
}

}  // namespace
}  // namespace tallimo
