// The main window created in-process and driven with real mouse and key messages; its answers
// read back from the windows. Its layout is checked at 96, 120 and 144 pixels per inch, the
// rest at 96.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>

#include "app/about_box.h"
#include "app/main_layout.h"
#include "ui/layout_fit.h"
#include "win32/main_window_fixture.h"

namespace tallimo {
namespace {

constexpr const char* kCatalogue =
    "[General]\r\nCaption=Games\r\nWriteDate=Sun, 1 Jan 2017, 9:00 am\r\n"
    "[Program1]\r\nName=b\r\nNFO=\\B\\B.NFO\r\nInfo1=Size 3 MB\r\nInfo2=Needs CD\r\n"
    "[Program2]\r\nName=A\r\nSerial1=KEY-1\r\nSpecs1=Fast\r\n"
    "[Program3]\r\nName=c\r\n"
    "[Program4]\r\nName=Tools\r\nInfo1=first\r\n"
    "[Program5]\r\nName=TOOLS\r\nInfo1=second\r\n";
constexpr const char* kPath = "C:\\My Disc\\menu.ini";

std::string TextOf(HWND h) {
  char buffer[4096] = "";
  GetWindowTextA(h, buffer, sizeof buffer);
  return buffer;
}

std::string RowText(HWND list, int row) {
  char buffer[512] = "";
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

void Click(HWND h, int x, int y) {
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  ui::App().ProcessMessages();
}

void Key(HWND h, int vk) {
  SendMessageA(h, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
  SendMessageA(h, WM_KEYUP, static_cast<WPARAM>(vk), 0xC0000001);
  ui::App().ProcessMessages();
}

class MainWindow : public MainWindowFixture<::testing::TestWithParam<int>> {
 protected:
  void SetUp() override {
    screen = FixedScreen{GetParam(), 1280, 1024};
    MainWindowFixture::SetUp();
    ui::App().HelpFile = "C:\\Disc\\Tallimo.hlp";
    // The globals as the program starts with them.
    ScaleFactor = 96.0;
    MinTrackWidth = kDesignMinTrackWidth;
  }
  // Shown only where a test needs it: without a window manager every hidden or destroyed
  // visible window costs Wine a second.
  void Start(const char* catalogue = kCatalogue, bool show = false) {
    if (catalogue) files.files[kPath] = catalogue;
    CreateMainForm(std::string("\"C:\\Disc\\Tallimo.exe\" \"") + kPath + "\" more",
                   "C:\\Disc\\Tallimo.exe");
    if (show) form->Show();
    ui::App().ProcessMessages();
  }
  HWND List() { return form->ListBox1.Handle(); }
  void ClickRow(int row) {
    RECT r{};
    SendMessageA(List(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    Click(List(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  std::string Info() { return TextOf(form->MemoInfo.Handle()); }
  std::string SpecsText() { return TextOf(form->MemoSpecs.Handle()); }
  // The entry that the selected row names, as the commands find it.
  int SelectedEntry() {
    const int row = form->ListBox1.Selection().Top;
    return row < 0 ? -1 : form->FindProgramIndex(form->ListBox1.Cell(0, row));
  }
};

// The tests of sizes and places, run at every resolution.
class MainWindowLayout : public MainWindow {};

TEST_P(MainWindow, StartsWithTheCatalogueOfTheFirstArgumentSortedAndMerged) {
  Start(kCatalogue, true);
  EXPECT_EQ(form->Cat.IniFileName, kPath);
  EXPECT_EQ(TextOf(form->Handle()), "Tallimo - Games");
  EXPECT_EQ(form->Cat.WriteDate, "Mon, 7 Dec 2026, 3:06 pm");  // the start time, not the file's
  EXPECT_FALSE(form->Cat.Modified);
  ASSERT_EQ(SendMessageA(List(), LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(RowText(List(), 0), "A");
  EXPECT_EQ(RowText(List(), 1), "b");
  EXPECT_EQ(RowText(List(), 2), "c");
  EXPECT_EQ(RowText(List(), 3), "Tools");
  EXPECT_EQ(SendMessageA(List(), LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(Info(), "\r\n Select a Program.");
  EXPECT_EQ(SpecsText(), "\r\n None Available.");
  EXPECT_FALSE(IsWindowEnabled(form->BtnNFO.Handle()));
  EXPECT_FALSE(IsWindowEnabled(form->BtnSerial.Handle()));
  EXPECT_TRUE(IsWindowEnabled(form->BtnClose.Handle()));
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_P(MainWindow, ACatalogueThatCannotBeReadIsReportedAndTheMenuStartsEmpty) {
  files.unreadable.insert(kPath);
  Start();
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Tallimo Menu/Install System");
  EXPECT_EQ(prompter.boxes[0].text, std::string("Unable to read ") + kPath + ".");
  EXPECT_TRUE(form->Cat.ProgramList.empty());
  ASSERT_EQ(SendMessageA(List(), LB_GETCOUNT, 0, 0), 1);  // the blank row
  EXPECT_EQ(Info(), "\r\n Select a Program.");
  EXPECT_EQ(TextOf(form->Handle()), "Tallimo");
  EXPECT_EQ(form->Cat.WriteDate, "Mon, 7 Dec 2026, 3:06 pm");  // the rest of start-up ran
}

TEST_P(MainWindowLayout, ScalesAndAnswersTheSizeLimits) {
  Start(kCatalogue, true);
  const int ppi = GetParam();
  EXPECT_DOUBLE_EQ(ScaleFactor, ppi / 96.0);
  EXPECT_EQ(MinTrackWidth, ppi == 96 ? 486 : ppi == 120 ? 608 : 729);
  EXPECT_EQ(MinTrackHeight, 243);
  MINMAXINFO info{};
  info.ptMaxTrackSize = {4321, 1234};  // the system fills these in before it asks
  SendMessageA(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, MinTrackWidth);
  EXPECT_EQ(info.ptMinTrackSize.y, 243);
  EXPECT_EQ(info.ptMaxTrackSize.x, 4321);  // the maximum stays as it was
  EXPECT_EQ(info.ptMaxTrackSize.y, 1234);

  // The outer width: the fitted design width times ScaleFactor, never under the limit.
  RECT design{0, 0, ui::FitDesignSize(504, ppi, 120), 0};
  AdjustWindowRectEx(&design, GetWindowLongA(form->Handle(), GWL_STYLE), TRUE,
                     GetWindowLongA(form->Handle(), GWL_EXSTYLE));
  int expected = std::max<int>(ScaleSize(ScaleFactor, design.right - design.left), MinTrackWidth);
  expected = std::min(expected, GetSystemMetrics(SM_CXMAXTRACK));  // as large as the system allows
  RECT wr;
  GetWindowRect(form->Handle(), &wr);
  EXPECT_EQ(wr.right - wr.left, expected);
  // Centred on the screen.
  EXPECT_NEAR((wr.left + wr.right) / 2, 640, 1);

  // The user cannot make it smaller than the limits.
  SetWindowPos(form->Handle(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(form->Handle(), &wr);
  EXPECT_EQ(wr.right - wr.left, MinTrackWidth);
  EXPECT_EQ(wr.bottom - wr.top, 243);

  // The list's rows: Round(ScaleFactor x 24), whatever the form's fitting did.
  EXPECT_EQ(SendMessageA(List(), LB_GETITEMHEIGHT, 0, 0), std::lround(ScaleFactor * 24));
}

TEST_P(MainWindowLayout, ResizingSharesThePanesAndHalvesTheList) {
  Start();
  // The user drags the splitter: PanInfo changes width.
  RECT sr;
  GetClientRect(form->SplitterBar1.Handle(), &sr);
  int before = form->PanInfo.Width();
  SendMessageA(form->SplitterBar1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
  SendMessageA(form->SplitterBar1.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(41, 5));
  SendMessageA(form->SplitterBar1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(41, 5));
  EXPECT_EQ(form->PanInfo.Width(), before + 40);

  for (SIZE size : {SIZE{700, 500}, SIZE{801, 433}, SIZE{1000, 700}}) {
    SetWindowPos(form->Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    ui::App().ProcessMessages();
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_LE(std::abs(form->PanInfo.Width() - form->PanSpecs.Width()), 1) << size.cx;
    EXPECT_EQ(form->PanInfo.Width() + form->SplitterBar1.Width() + form->PanSpecs.Width(),
              client.right);
    EXPECT_EQ(form->PanList.Height(), client.bottom / 2);
    EXPECT_EQ(form->LabelSelect.Width(), client.right);
    EXPECT_EQ(form->Image1.Left(),
              form->PanBtn.Width() - ScaleSize(ScaleFactor, kDesignLogoRightGap));
    EXPECT_EQ(form->ListBox1.DefaultColWidth, form->ListBox1.Width());
    // The detail panes lie between the list and the button bar.
    EXPECT_EQ(form->PanInfo.Top(), form->PanList.Height());
    EXPECT_EQ(form->PanInfo.Top() + form->PanInfo.Height(), form->PanBtn.Top());
  }
}

TEST_P(MainWindow, EverySelectionShowsItsEntryTheFirstIncluded) {
  Start();
  ClickRow(1);  // "b", the first selection after the refill
  EXPECT_EQ(SendMessageA(List(), LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Info(), "\r\n  Size 3 MB\r\n  Needs CD");
  EXPECT_EQ(SpecsText(), "\r\n  None Listed.");
  EXPECT_TRUE(IsWindowEnabled(form->BtnNFO.Handle()));
  EXPECT_FALSE(IsWindowEnabled(form->BtnSerial.Handle()));
  EXPECT_TRUE(form->ppViewNFO1->Enabled());
  EXPECT_FALSE(form->ppCopySerial1->Enabled());

  Key(List(), VK_UP);  // "A"
  EXPECT_EQ(SendMessageA(List(), LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(Info(), "\r\n  None Available.");
  EXPECT_EQ(SpecsText(), "\r\n  Fast");
  EXPECT_FALSE(IsWindowEnabled(form->BtnNFO.Handle()));
  EXPECT_TRUE(IsWindowEnabled(form->BtnSerial.Handle()));
  EXPECT_FALSE(form->ppViewNFO1->Enabled());
  EXPECT_TRUE(form->ppCopySerial1->Enabled());

  Key(List(), VK_END);  // "Tools": the first of Tools and TOOLS
  EXPECT_EQ(form->ListBox1.Selection().Top, 3);
  EXPECT_EQ(Info(), "\r\n  first");
  Key(List(), VK_HOME);
  EXPECT_EQ(form->ListBox1.Selection().Top, 0);
  Key(List(), VK_NEXT);  // a page down: how far depends on the rows in view
  EXPECT_GT(form->ListBox1.Selection().Top, 0);
  Key(List(), VK_PRIOR);
  EXPECT_EQ(form->ListBox1.Selection().Top, 0);
  Key(List(), VK_DOWN);
  EXPECT_EQ(Info(), "\r\n  Size 3 MB\r\n  Needs CD");
  EXPECT_EQ(SelectedEntry(), 0);  // "b" is the catalogue's first entry

  // A refill clears the selection; the keyboard's first move selects and shows the first row.
  form->RefreshProgramList();
  form->ShowProgramDetails(-1);
  EXPECT_EQ(form->ListBox1.Selection().Top, -1);
  EXPECT_EQ(SendMessageA(List(), LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_TRUE(IsWindowEnabled(form->BtnNFO.Handle()));  // -1 leaves the commands as they were
  Key(List(), VK_DOWN);
  EXPECT_EQ(form->ListBox1.Selection().Top, 0);
  EXPECT_EQ(SpecsText(), "\r\n  Fast");
}

TEST_P(MainWindow, HasSelectionWarnsThroughThePrompter) {
  Start();
  EXPECT_FALSE(form->HasSelection(false));
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_FALSE(form->HasSelection(true));
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Warning");
  EXPECT_EQ(prompter.boxes[0].text, "You must first select an item!");
  EXPECT_EQ(prompter.boxes[0].icon, TMsgDlgType::mtWarning);
  EXPECT_EQ(prompter.boxes[0].buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbOK});
  ClickRow(2);
  EXPECT_TRUE(form->HasSelection(true));
  EXPECT_EQ(prompter.boxes.size(), 1u);
}

TEST_P(MainWindow, EnterAndADoubleClickRunTheDefaultCommand) {
  Start(kCatalogue, true);
  // Enter in the list presses the default button, Install & Close: without a selection it
  // warns and does nothing else.
  form->ListBox1.SetFocus();
  PostMessageA(List(), WM_KEYDOWN, VK_RETURN, 1);
  ui::App().ProcessMessages();
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text, "You must first select an item!");
  EXPECT_TRUE(IsWindow(form->Handle()));
  // A double click runs it too, on the row its first click selected ("c", which has no
  // install lines).
  RECT r{};
  SendMessageA(List(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(List(), WM_LBUTTONUP, 0, at);
  SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(List(), WM_LBUTTONUP, 0, at);
  ui::App().ProcessMessages();
  EXPECT_EQ(form->ListBox1.Selection().Top, 2);
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].text, "There is no Installation procedure defined for this program!");
}

TEST_P(MainWindow, AnEmptyCatalogueGivesOneBlankRowThatChangesNothing) {
  Start(nullptr);  // no catalogue file at all
  EXPECT_EQ(TextOf(form->Handle()), "Tallimo");
  ASSERT_EQ(SendMessageA(List(), LB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(RowText(List(), 0), "");
  ClickRow(0);
  EXPECT_EQ(form->ListBox1.Selection().Top, 0);
  EXPECT_EQ(Info(), "\r\n Select a Program.");
  EXPECT_EQ(SelectedEntry(), -1);
}

TEST_P(MainWindow, TheLogoSwapsTheHeadingColoursAndOpensTheHelpContents) {
  Start();
  HWND bar = form->PanBtn.Handle();
  int x = form->Image1.Left() + form->Image1.Width() / 2;
  int y = form->Image1.Top() + 5;
  Click(bar, x, y);
  EXPECT_EQ(form->Label2.Color(), clLime);
  EXPECT_EQ(form->Label3.Color(), clYellow);
  Click(bar, x, y);
  EXPECT_EQ(form->Label2.Color(), clYellow);
  EXPECT_EQ(form->Label3.Color(), clLime);
  ASSERT_EQ(help.calls.size(), 2u);
  EXPECT_EQ(help.calls[1].kind, "context");
  EXPECT_EQ(help.calls[1].file, "C:\\Disc\\Tallimo.hlp");
  EXPECT_EQ(help.calls[1].context, 1);
  // A click on the bar beside the logo does nothing.
  Click(bar, 3, 3);
  EXPECT_EQ(help.calls.size(), 2u);
}

TEST_P(MainWindowLayout, CellsShowCentredTextOverAnInvertedDottedLine) {
  Start(kCatalogue, true);
  ClickRow(1);
  UpdateWindow(List());
  RECT cell = form->ListBox1.CellRect(0);
  HDC dc = GetDC(List());
  // The line on the pixel row below the cell: inverted (black on white) dots with gaps.
  int dots = 0, gaps = 0;
  for (int x = cell.left; x < cell.right; ++x) {
    COLORREF c = GetPixel(dc, x, cell.bottom);
    if (c == RGB(0, 0, 0)) ++dots;
    if (c == RGB(255, 255, 255)) ++gaps;
  }
  EXPECT_GT(dots, (cell.right - cell.left) / 4);
  EXPECT_GT(gaps, (cell.right - cell.left) / 4);
  // The text "A" in black, centred on the cell, beginning below its top 2 rows.
  int minX = 1 << 20, maxX = -1, minY = 1 << 20;
  for (int y = cell.top; y < cell.bottom; ++y)
    for (int x = cell.left; x < cell.right; ++x)
      if (GetPixel(dc, x, y) == RGB(0, 0, 0)) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
      }
  ASSERT_GE(maxX, 0);
  EXPECT_NEAR((minX + maxX) / 2.0, (cell.left + cell.right) / 2.0, 2.5);
  EXPECT_GE(minY, cell.top + 2);
  // The selected row 1 is in the highlight colour.
  RECT selected = form->ListBox1.CellRect(1);
  EXPECT_EQ(GetPixel(dc, selected.left + 1, selected.top + 1), GetSysColor(COLOR_HIGHLIGHT));
  ReleaseDC(List(), dc);
}

TEST_P(MainWindow, TheMenusHoldTheirItemsAndThePopupHasTwoColumns) {
  Start();
  HMENU bar = GetMenu(form->Handle());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetMenuItemCount(bar), 2);
  char text[64] = "";
  GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Config");
  HMENU config = GetSubMenu(bar, 0);
  EXPECT_EQ(GetMenuItemCount(config), 7);
  GetMenuStringA(config, 4, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Write INI &As...");
  // Every command works.
  for (int item : {0, 2, 3, 4, 6})
    EXPECT_FALSE(GetMenuState(config, item, MF_BYPOSITION) & MF_GRAYED) << item;
  for (int item : {0, 2})
    EXPECT_FALSE(GetMenuState(GetSubMenu(bar, 1), item, MF_BYPOSITION) & MF_GRAYED) << item;

  HMENU popup = form->PopupMenu1.Handle();
  EXPECT_EQ(GetMenuItemCount(popup), 14);  // the marks after the second column's last item
  GetMenuStringA(popup, 4, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Find...\tCtrl+F");  // the first column's last item
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoA(popup, 5, TRUE, &info);  // N4
  EXPECT_TRUE(info.fType & MFT_SEPARATOR);
  EXPECT_TRUE(info.fType & MFT_MENUBARBREAK);
  GetMenuItemInfoA(popup, 6, TRUE, &info);
  EXPECT_FALSE(info.fType & MFT_MENUBARBREAK);
  EXPECT_EQ(GetMenuDefaultItem(popup, FALSE, GMDI_USEDISABLED),
            static_cast<UINT>(form->ppInstallClose1->Command()));
  EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_GRAYED);  // ppViewNFO1
  EXPECT_EQ(form->ppEditProcedure1->HelpContext, 32);
  const std::tuple<int, const char*, int> marks[] = {
      {10, "&Mark for Install", 34}, {11, "Mark A&ll", 35}, {12, "Clear Mar&ks", 36}};
  for (const auto& [position, caption, help] : marks) {
    GetMenuStringA(popup, position, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, caption);
    const ui::MenuItem* item = ui::MenuItem::FromCommand(GetMenuItemID(popup, position));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->HelpContext, help);
  }
  // Mark Preset opens a submenu, disabled while the catalogue has no preset.
  GetMenuStringA(popup, 13, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Mark &Preset");
  EXPECT_NE(GetSubMenu(popup, 13), nullptr);
  EXPECT_TRUE(GetMenuState(popup, 13, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(form->ListBox1.HelpContext, 2);
}

// Inside the popup menu's own loop: notes that the menu is up and closes it.
bool g_popupSeen = false;
void CALLBACK ClosePopup(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  HWND menu = FindWindowA("#32768", nullptr);
  g_popupSeen = menu && IsWindowVisible(menu);
  EndMenu();
}

TEST_P(MainWindow, TheSecondaryButtonOpensThePopupWithoutMovingTheSelection) {
  Start(kCatalogue, true);
  ClickRow(1);
  RECT r{};
  SendMessageA(List(), LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
  LPARAM at = MAKELPARAM(r.left + 5, r.top + 5);
  g_popupSeen = false;
  SetTimer(nullptr, 0, 200, ClosePopup);
  SendMessageA(List(), WM_RBUTTONDOWN, MK_RBUTTON, at);
  SendMessageA(List(), WM_RBUTTONUP, 0, at);  // the context menu comes with the button's release
  ui::App().ProcessMessages();
  EXPECT_TRUE(g_popupSeen);
  EXPECT_EQ(form->ListBox1.Selection().Top, 1);
  EXPECT_EQ(SendMessageA(List(), LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Info(), "\r\n  Size 3 MB\r\n  Needs CD");
}

TEST_P(MainWindow, TheCloseButtonEndsTheProgramAndReleasesTheLists) {
  Start();
  HWND close = form->BtnClose.Handle();
  Click(close, 5, 5);
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_TRUE(form->Cat.ProgramList.empty());
  EXPECT_TRUE(form->Cat.NoteLines.empty());
  EXPECT_TRUE(ui::App().Terminated());
}

INSTANTIATE_TEST_SUITE_P(At96, MainWindow, ::testing::Values(96));
INSTANTIATE_TEST_SUITE_P(PixelsPerInch, MainWindowLayout, ::testing::Values(96, 120, 144));

// Help and the About box, at one resolution.
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

class MainWindowHelp : public MainWindow {
 protected:
  std::vector<Call> Take() { return std::exchange(help.calls, {}); }
};

// The main window: help in the help window, the Help menu, the task-bar window, the About box.
TEST_P(MainWindowHelp, TheMainWindowsHelpTaskBarButtonAndAboutBox) {
  Start(
      "[General]\r\nCaption=Disc\r\nCreatedBy=Jo\r\nNote1=One\r\nNote2=\r\n"
      "Note3=Three\r\n");
  help.calls.clear();
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
  // Minimizing the menu minimizes that window, which hides the menu until it is restored.
  form->Show();
  SendMessageA(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(app));
  EXPECT_FALSE(IsWindowVisible(h));
  SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(!IsIconic(app) && IsWindowVisible(h));
  ShowWindow(app, SW_HIDE);

  // Help > About, twice, with the header changed in between; the logo closes it.
  TFTallimoabout about(HostSystemColors());
  dialogs.about = &about;
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
  F1On(about.Memo2.Handle());  // the box's context, in the application's help file
  EXPECT_EQ(Take(), (std::vector<Call>{{"context", kHelp, 70}}));
  form->Cat.CreatedBy.clear();
  form->Cat.WriteDate = "Tue, 8 Dec 2026, 9:15 am";
  form->Cat.NoteLines.clear();
  showAndClickTheLogo();
  EXPECT_EQ(about.LabelEffect1.Caption(), "");
  EXPECT_EQ(about.Label2.Caption(), "Tue, 8 Dec 2026, 9:15 am");
  EXPECT_EQ(about.Memo2.Lines(), std::vector<std::string>{});
  dialogs.about = nullptr;
}

INSTANTIATE_TEST_SUITE_P(At96, MainWindowHelp, ::testing::Values(96));

}  // namespace
}  // namespace tallimo
