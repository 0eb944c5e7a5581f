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

TEST_F(ContextHelp, TheMainWindowUsesTheHelpWindowAndItsTaskBarButtonIsTheApplications) {
  StartMainForm("[General]\r\nCaption=Disc\r\n");

  // Controls: a button, its panel and the window all have context 0: no help at all.
  F1On(form->BtnInstall.Handle());
  EXPECT_EQ(Take(), std::vector<Call>{});
  // The list and the panes: topic 2, in the help window (no caption help button here).
  F1On(form->ListBox1.Handle());
  F1On(form->MemoSpecs.Handle());
  EXPECT_EQ(Take(), (std::vector<Call>{{"context", kHelp, 2}, {"context", kHelp, 2}}));

  // Menu items: their own context, else their parent item's, else 0 (asked for all the same).
  HWND h = form->Handle();
  HMENU bar = GetMenu(h);
  F1OnMenuItem(h, static_cast<UINT_PTR>(form->Exit1->Command()), bar);
  F1OnMenuItem(h, static_cast<UINT_PTR>(form->N3->Command()), bar);
  F1OnMenuItem(h, reinterpret_cast<UINT_PTR>(GetSubMenu(bar, 0)), bar);  // "&Config" itself
  F1OnMenuItem(h, static_cast<UINT_PTR>(form->ppRemoveProgram1->Command()),
               form->PopupMenu1.Handle());
  EXPECT_EQ(Take(), (std::vector<Call>{{"context", kHelp, 0},
                                       {"context", kHelp, 11},
                                       {"context", kHelp, 0},
                                       {"context", kHelp, 33}}));
  // The popup menu's items ask through the list, which passes the request up to the window.
  F1OnMenuItem(form->ListBox1.Handle(), static_cast<UINT_PTR>(form->ppViewNFO1->Command()),
               form->PopupMenu1.Handle());
  EXPECT_EQ(Take(), (std::vector<Call>{{"context", kHelp, 23}}));

  // Help > Contents and the logo: the contents topic.
  form->Contents1->Click();
  EXPECT_EQ(Take(), (std::vector<Call>{{"context", kHelp, 1}}));

  // The task bar shows the application's title: the main window is owned by the application's
  // window, which has that title, no owner and no size.
  HWND app = GetWindow(h, GW_OWNER);
  ASSERT_EQ(app, ui::App().Handle());
  char title[64] = "";
  GetWindowTextA(app, title, sizeof title);
  EXPECT_STREQ(title, "Tallimo Menu/Install System");
  EXPECT_EQ(GetWindow(app, GW_OWNER), nullptr);
  RECT r;
  GetWindowRect(app, &r);
  EXPECT_TRUE(IsRectEmpty(&r));
}

// A window with the caption help button: pop-ups at the control's corner, the nearest
// enclosing context for a control without one, and the window's own help file when it names one.
TEST_F(ContextHelp, ADialogWithTheHelpButtonShowsPopupsAtTheControl) {
  ui::Form dialog;
  dialog.HelpButton = true;
  dialog.HelpContext = 50;
  dialog.SetClientSize(300, 200);
  ui::Panel panel;
  panel.SetParent(&dialog);
  panel.SetBounds(10, 20, 200, 100);
  ui::Edit named, unnamed;
  named.SetParent(&panel);
  named.SetBounds(5, 6, 100, 20);
  named.HelpContext = 51;
  unnamed.SetParent(&panel);
  unnamed.SetBounds(5, 40, 100, 20);
  dialog.Position = ui::TPosition::poDesigned;
  dialog.SetBounds(100, 100, 0, 0);
  dialog.Create();

  RECT corner, second;
  GetWindowRect(named.Handle(), &corner);
  GetWindowRect(unnamed.Handle(), &second);
  F1On(named.Handle());
  F1On(unnamed.Handle());  // the window's 50, placed at this edit
  EXPECT_EQ(Take(), (std::vector<Call>{{"position", kHelp, corner.left, corner.top},
                                       {"popup", kHelp, 51},
                                       {"position", kHelp, second.left, second.top},
                                       {"popup", kHelp, 50}}));

  dialog.HelpFile = "90";
  dialog.HelpContext = 0;
  F1On(named.Handle());
  F1On(unnamed.Handle());  // nothing encloses it with a context: no help
  EXPECT_EQ(Take(),
            (std::vector<Call>{{"position", "90", corner.left, corner.top}, {"popup", "90", 51}}));
  dialog.DestroyHandle();
}

// Help > About: filled from the catalogue at each showing, closed by a click on its logo.
TEST_F(ContextHelp, TheAboutBoxShowsTheCurrentHeaderEachTime) {
  StartMainForm(
      "[General]\r\nCaption=Disc\r\nCreatedBy=Jo\r\nNote1=One\r\nNote2=\r\nNote3=Three\r\n"
      "WriteDate=Mon, 7 Dec 2026, 3:06 pm\r\n");
  TFTallimoabout about;
  FTallimoabout = &about;
  about.Create();
  // The logo is clicked once the box is up (the messages wait in the queue until then).
  auto clickLogoWhenShown = [&] {
    const LPARAM at = MAKELPARAM(about.Image1.Left() + 5, about.Image1.Top() + 5);
    PostMessageA(about.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(about.Handle(), WM_LBUTTONUP, 0, at);
  };

  clickLogoWhenShown();
  form->About1->Click();
  EXPECT_FALSE(IsWindowVisible(about.Handle()));
  EXPECT_EQ(about.LabelEffect1.Caption(), "Setup by Jo");
  EXPECT_EQ(about.Label2.Caption(), form->Cat.WriteDate);
  EXPECT_EQ(about.Memo2.Lines(), (std::vector<std::string>{"One", "", "Three"}));
  RECT r;
  GetWindowRect(about.Handle(), &r);
  EXPECT_EQ(r.left, 33);
  EXPECT_EQ(r.top, 37);
  // Centred notes, and Tab passes the memo by.
  const LONG style = GetWindowLongA(about.Memo2.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & ES_CENTER);
  EXPECT_FALSE(style & WS_TABSTOP);
  // Help in the box: its own help file name and context, in the help window.
  F1On(about.Memo2.Handle());
  EXPECT_EQ(Take(), (std::vector<Call>{{"context", "90", 70}}));

  // What General Info or Read INI File changed shows at the next showing.
  form->Cat.CreatedBy.clear();
  form->Cat.WriteDate = "Tue, 8 Dec 2026, 9:15 am";
  form->Cat.NoteLines.clear();
  clickLogoWhenShown();
  form->Help1Click();
  EXPECT_EQ(about.LabelEffect1.Caption(), "");
  EXPECT_EQ(about.Label2.Caption(), "Tue, 8 Dec 2026, 9:15 am");
  EXPECT_EQ(about.Memo2.Lines(), std::vector<std::string>{});
  FTallimoabout = nullptr;
}

}  // namespace
}  // namespace tallimo
