// The rules on the real main window: Space and Ctrl+click mark a program with its requirements
// and push out what it excludes, a program not for this computer is grey and cannot be marked,
// the Information pane says where a program stands, and its single Install is refused.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/application.h"
#include "win32/main_window_fixture.h"

namespace tallimo {
namespace {

constexpr const char* kCatalogue =
    "[Program1]\r\nName=Editor\r\nRequires=runtime\r\nExcludes=Writer\r\nInstall1=e.exe\r\n"
    "[Program2]\r\nName=Runtime\r\nInstall1=r.exe\r\n"
    "[Program3]\r\nName=Writer\r\nInstall1=w.exe\r\nInfo1=A word processor\r\n"
    "[Program4]\r\nName=Legacy\r\nWindows=XP-7\r\nArch=x86\r\nInstall1=l.exe\r\n"
    "[Program5]\r\nName=Viewer\r\nRequires=Legacy\r\nInstall1=v.exe\r\n";
// Rows, sorted: Editor, Legacy, Runtime, Viewer, Writer.

class RulesOnMainWindow : public MainWindowFixture<> {
 protected:
  std::string Marked() {
    std::string names;
    for (const auto& e : form->Cat.ProgramList)
      if (form->Marks.IsMarked(e.get())) names += e->Name + ";";
    return names;
  }
  // The row scrolled into view first: the fixture's window shows only a few rows.
  void Select(int row) {
    SendMessageW(form->ListBox1.Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
    SelectRow(row);
  }
  void Space() {
    SendMessageW(form->ListBox1.Handle(), WM_CHAR, L' ', 1);
    ui::App().ProcessMessages();
  }
  COLORREF TextPixelColour(int row) {
    HWND list = form->ListBox1.Handle();
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    UpdateWindow(list);
    HDC dc = GetDC(list);
    // The darkest pixel of the middle third of the row: a letter's.
    COLORREF darkest = RGB(255, 255, 255);
    int best = 3 * 255;
    for (int y = r.top + 2; y < r.bottom - 2; ++y)  // not the dotted lines between rows
      for (int x = r.left + (r.right - r.left) / 3; x < r.right - (r.right - r.left) / 3; ++x) {
        const COLORREF c = GetPixel(dc, x, y);
        const int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
        if (sum < best) best = sum, darkest = c;
      }
    ReleaseDC(list, dc);
    return darkest;
  }
};

TEST_F(RulesOnMainWindow, MarksFollowTheRulesAndThePaneSaysWhereAProgramStands) {
  ShowMainFormOn("C:\\Disc\\rules.ini", kCatalogue);
  ASSERT_EQ(form->ListBox1.Rows(), (StringList{"Editor", "Legacy", "Runtime", "Viewer", "Writer"}));

  // Writer marked, then Editor: Runtime comes with it, Writer goes.
  Select(4);
  Space();
  EXPECT_EQ(form->MemoInfo.Lines(),
            (StringList{"Cannot be installed together with: Editor.", "  A word processor"}));
  Select(0);
  EXPECT_EQ(form->MemoInfo.Lines(),
            (StringList{"Installs first: Runtime.", "Cannot be installed together with: Writer.",
                        "  None Available."}));
  Space();
  EXPECT_EQ(Marked(), "Editor;Runtime;");
  EXPECT_EQ(form->LabelSelect.Caption(), "&Select Programs to Install: 2 marked");

  // Unmarking the requirement unmarks what needs it.
  Select(2);
  Space();
  EXPECT_EQ(Marked(), "");

  // Legacy is for 32-bit Windows XP to 7, Viewer needs it: both grey, neither can be marked,
  // and Install refuses them with a warning.
  EXPECT_NE(TextPixelColour(1), TextPixelColour(0));
  EXPECT_EQ(TextPixelColour(1), GetSysColor(COLOR_GRAYTEXT));
  Select(3);
  EXPECT_EQ(form->MemoInfo.Lines().front(),
            "Not for this computer: it needs Legacy, which is not for this computer.");
  Space();
  Select(1);
  Space();
  EXPECT_EQ(Marked(), "");
  EXPECT_EQ(form->MemoInfo.Lines().front(),
            "Not for this computer: it needs Windows XP to 7 and x86 Windows.");
  form->BtnInstallClick();
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text,
            "Legacy is not for this computer: it needs Windows XP to 7 and x86 Windows.");
  EXPECT_TRUE(launched.empty());

  // Mark All leaves out what is not for this computer and keeps, of Editor and Writer, the
  // first in catalogue order.
  form->ppMarkAll1Click();
  EXPECT_EQ(Marked(), "Editor;Runtime;");
}

}  // namespace
}  // namespace tallimo
