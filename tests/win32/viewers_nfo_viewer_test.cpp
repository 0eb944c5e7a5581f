// The NFO viewer on the real main window: View NFO opens it sized from the screen and centred,
// with the DOS art's characters; the font buttons, Copy and Notepad; Close hides it and the
// next opening keeps where it was left. 1 MB and 16 MB files are shown whole (and timed).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/wide.h"
#include "ui/application.h"
#include "ui/gdi.h"
#include "viewers/nfo_viewer.h"
#include "win32/main_window_fixture.h"

namespace tallimo {
namespace {

class NfoViewer : public MainWindowFixture<> {
 protected:
  void SetUp() override {
    screen = FixedScreen{96, 1024, 768};
    MainWindowFixture::SetUp();
    files.files["C:\\menu.ini"] =
        "[Program1]\r\nName=Art\r\nNFO=C:\\ART.NFO\r\n[Program2]\r\n"
        "Name=Big\r\nNFO=BIG.NFO\r\n[Program3]\r\nName=Gone\r\nNFO=GONE\r\n";
    files.files["C:\\ART.NFO"] = "\xC9\xCD\xBB\n\xBA\x41\xBA\r\xC8\xCD\xBC";
    dialogs.nfo = (viewer = std::make_unique<TFTallimonfo>(clipboard, shell, prompter)).get();
    CreateMainForm("T.exe C:\\menu.ini", "C:\\T.exe");
    form->Show();
  }
  void TearDown() override {
    viewer.reset();
    MainWindowFixture::TearDown();
  }
  void ViewNfoOfRow(int row) {  // selected twice: the first selection after start-up only selects
    RECT r{};
    SendMessageA(form->ListBox1.Handle(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP})
      SendMessageA(form->ListBox1.Handle(), msg, 0, MAKELPARAM(r.left + 5, r.top + 5));
    Click(form->BtnNFO);
  }
  void Click(ui::Button& button) {  // the command, then the messages it left (paints included)
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    ui::App().ProcessMessages();
  }
  // The 8-bit form that the system derives from clipboard text, in the Windows code page.
  static std::string AnsiForm(const std::string& text) {
    const std::wstring wide = Widen(text);
    std::string bytes(wide.size() * 2, '\0');
    bytes.resize(static_cast<size_t>(
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
  }
  RECT ViewerRect() {
    RECT r{};
    GetWindowRect(viewer->Handle(), &r);
    return r;
  }
  LONG OemFontHeight() {
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(viewer->Memo1.Handle(), WM_GETFONT, 0, 0)),
               sizeof lf, &lf);
    return lf.lfCharSet == OEM_CHARSET ? lf.lfHeight : 0;
  }
  // What the box shows (its first line, as drawn), and what it gives to a program reading it.
  std::wstring FirstLineShown() {
    wchar_t line[64] = {63};
    const LRESULT n =
        SendMessageW(viewer->Memo1.Handle(), EM_GETLINE, 0, reinterpret_cast<LPARAM>(line));
    return std::wstring(line, static_cast<size_t>(n));
  }
  std::string MemoText() {
    char text[64] = "";
    GetWindowTextA(viewer->Memo1.Handle(), text, 64);
    return text;
  }
  std::string Panel(int i) { return viewer->StatusBar1.PanelText(i); }

  std::unique_ptr<TFTallimonfo> viewer;
};

TEST_F(NfoViewer, OpensStepsTheFontCopiesClosesAndReopensWhereItWas) {
  ViewNfoOfRow(0);  // Art
  ASSERT_TRUE(IsWindowVisible(viewer->Handle()));
  RECT r = ViewerRect();  // 853 x 576 on 1024 x 768, centred at its first showing
  EXPECT_EQ(r.right - r.left, 853);
  EXPECT_EQ(r.bottom - r.top, 576);
  EXPECT_EQ(r.left, (1024 - 853) / 2);
  EXPECT_EQ(r.top, (768 - 576) / 2);
  // The DOS code page's box drawing characters, as the Terminal font draws those bytes.
  const std::string shown =
      "\xC9\xCD\xBB\r\n\xBA"
      "A\xBA\r\n\xC8\xCD\xBC";
  EXPECT_EQ(FirstLineShown(), L"\u2554\u2550\u2557");
  EXPECT_EQ(MemoText(), shown);
  EXPECT_EQ(OemFontHeight(), -12);  // 9 points at 96 pixels per inch
  EXPECT_EQ(Panel(0), "C:\\ART.NFO");
  EXPECT_EQ(Panel(1), "Terminal, 9 pt");
  EXPECT_EQ(viewer->BitBtn1.Left(), 853 - 36);
  EXPECT_EQ(viewer->BitBtn2.Left(), 853 - 63);

  // A picture button shows its own greyed picture while disabled.
  auto solid = [](COLORREF colour) {
    const ui::WindowDC screen(nullptr);
    ui::OwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), 16, 16));
    ui::MemoryDC dc;
    ui::SelectIn selected(dc.Get(), bitmap.Get());
    const RECT all{0, 0, 16, 16};
    FillRect(dc.Get(), &all, ui::OwnedBrush(CreateSolidBrush(colour)).Get());
    return bitmap;
  };
  viewer->BitBtn1.SetGlyph(solid(RGB(255, 0, 0)), solid(RGB(128, 128, 128)));
  for (bool enabled : {true, false}) {
    viewer->BitBtn1.SetEnabled(enabled);
    HDC dc = GetDC(viewer->BitBtn1.Handle());
    SendMessageA(viewer->BitBtn1.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT);
    EXPECT_EQ(GetPixel(dc, viewer->BitBtn1.Width() / 2, viewer->BitBtn1.Height() / 2),
              enabled ? RGB(255, 0, 0) : RGB(128, 128, 128));
    ReleaseDC(viewer->BitBtn1.Handle(), dc);
  }
  viewer->BitBtn1.SetEnabled(true);
  for (int i = 0; i < 20; ++i) Click(viewer->BitBtn1);
  EXPECT_EQ(Panel(1), "Terminal, 25 pt");
  EXPECT_EQ(OemFontHeight(), -33);
  for (int i = 0; i < 25; ++i) Click(viewer->BitBtn2);
  EXPECT_EQ(Panel(1), "Terminal, 5 pt");

  SendMessageA(viewer->Memo1.Handle(), EM_SETSEL, 5, 8);  // the middle line: no message
  Click(viewer->BitBtn3);
  EXPECT_EQ(AnsiForm(clipboard.text.value_or("")),
            "\xBA\x41\xBA");  // the 8-bit form: the file's bytes
  EXPECT_TRUE(prompter.boxes.empty());
  SendMessageA(viewer->Memo1.Handle(), EM_SETSEL, 0, 0);
  Click(viewer->BitBtn3);  // the file's bytes with CR LF breaks
  EXPECT_EQ(AnsiForm(clipboard.text.value_or("")), "\xC9\xCD\xBB\r\n\xBA\x41\xBA\r\n\xC8\xCD\xBC");
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Information");
  EXPECT_EQ(prompter.boxes[0].text, "The entire NFO file has been copied to the Clipboard.");
  Click(viewer->BitBtn4);
  EXPECT_EQ(launched, testing::EventLog{"run notepad C:\\ART.NFO"});
  EXPECT_EQ(shell.lastOwner, static_cast<void*>(ui::App().Handle()));

  SetWindowPos(viewer->Handle(), nullptr, 10, 20, 500, 300, SWP_NOZORDER);
  Click(viewer->BitBtn5);
  EXPECT_FALSE(IsWindowVisible(viewer->Handle()));
  form->ppViewNFO1->Click();  // where it was left, sized again, the font size kept
  r = ViewerRect();
  EXPECT_TRUE(IsWindowVisible(viewer->Handle()));
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 853);
  EXPECT_EQ(Panel(1), "Terminal, 5 pt");

  // Gone: the stored path in the error; the viewer was sized first (and set to 11 points above
  // a scale factor of 1), but keeps its text and status texts.
  SetWindowPos(viewer->Handle(), nullptr, 0, 0, 500, 300, SWP_NOZORDER | SWP_NOMOVE);
  ScaleFactor = 1.25;
  ViewNfoOfRow(2);
  ScaleFactor = 1.0;
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].title, "Error");
  EXPECT_EQ(prompter.boxes[1].text, "Could not open the NFO file:\rGONE");
  EXPECT_EQ(ViewerRect().right - ViewerRect().left, 853);
  EXPECT_EQ(OemFontHeight(), -15);
  EXPECT_EQ(MemoText(), shown);
  EXPECT_EQ(Panel(0), "C:\\ART.NFO");
  EXPECT_EQ(Panel(1), "Terminal, 5 pt");

  // Files of 1 MB and 16 MB of text art are shown whole, beyond the text box's usual limit.
  for (size_t megabytes : {1u, 16u}) {
    std::string& big = files.files["BIG.NFO"];
    while (big.size() < (megabytes << 20)) big += std::string(78, '\xB1') + "\r\n";
    const DWORD start = GetTickCount();
    ViewNfoOfRow(1);
    std::printf("View NFO to a painted viewer, %u MB: %lu ms\n", static_cast<unsigned>(megabytes),
                GetTickCount() - start);
    EXPECT_EQ(static_cast<size_t>(GetWindowTextLengthW(viewer->Memo1.Handle())), big.size());
  }
  EXPECT_EQ(prompter.boxes.size(), 2u);
}

}  // namespace
}  // namespace tallimo
