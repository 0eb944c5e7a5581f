// Our window layer under Wine: alignment, fitting to the screen, painting of windowless
// controls in z-order, modal forms with default and cancel buttons, hints, the error report,
// and the real message boxes of the Win32 prompter.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_prompter.h"
#include "platform/error.h"
#include "platform/prompter_rules.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_grid.h"
#include "ui/panel.h"
#include "ui/status_bar.h"

namespace tallimo {
namespace {

void Click(HWND h, int x = 3, int y = 3) {
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  ui::App().ProcessMessages();
}

class UiLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::App().SetPrompter(&prompter);
    ui::App().SetScreen(&screen);
    ui::App().Restart();
  }
  void TearDown() override {
    ui::App().ProcessMessages();
    ui::App().Restart();
    ui::App().SetPrompter(nullptr);
    ui::App().SetScreen(nullptr);
  }
  testing::FakePrompter prompter;
  FixedScreen screen{120, 1280, 1024};  // the design resolution: no fitting
};

TEST_F(UiLayer, AlignsTopBottomLeftAndClientInsideBevels) {
  ui::Form form;
  form.SetClientSize(400, 300);
  ui::Panel top, bottom, left, rest;
  ui::Label inner;
  for (ui::Panel* p : {&top, &bottom, &left, &rest}) p->SetParent(&form);
  top.SetBounds(0, 0, 10, 50);
  top.SetAlign(ui::TAlign::alTop);
  bottom.SetBounds(0, 0, 10, 40);
  bottom.SetAlign(ui::TAlign::alBottom);
  left.SetBounds(0, 0, 100, 10);
  left.SetAlign(ui::TAlign::alLeft);
  rest.SetAlign(ui::TAlign::alClient);
  rest.BevelInner = ui::TBevelCut::bvLowered;  // two bevels of one pixel
  inner.SetParent(&rest);
  inner.SetAlign(ui::TAlign::alClient);
  form.Create();

  auto expect = [](const ui::Control& c, int l, int t, int w, int h) {
    EXPECT_EQ(c.Left(), l);
    EXPECT_EQ(c.Top(), t);
    EXPECT_EQ(c.Width(), w);
    EXPECT_EQ(c.Height(), h);
  };
  expect(top, 0, 0, 400, 50);
  expect(bottom, 0, 260, 400, 40);
  expect(left, 0, 50, 100, 210);
  expect(rest, 100, 50, 300, 210);
  expect(inner, 2, 2, 296, 206);
  RECT r;
  GetWindowRect(rest.Handle(), &r);
  MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 210);

  form.SetClientSize(500, 200);
  ui::App().ProcessMessages();
  expect(bottom, 0, 160, 500, 40);
  expect(rest, 100, 50, 400, 110);
  // A changed height of an aligned control moves its neighbours.
  top.SetHeight(70);
  expect(left, 0, 70, 100, 90);
  left.SetVisible(false);
  expect(rest, 0, 70, 500, 90);
}

TEST_F(UiLayer, FitsDesignSizesToTheScreenWhenCreated) {
  FixedScreen small{96, 1024, 768};
  ui::App().SetScreen(&small);
  ui::Form form;
  form.SetClientSize(504, 364);
  ui::Button button;
  button.SetParent(&form);
  button.SetBounds(443, 11, 92, 31);
  ui::ListGrid grid;
  grid.SetParent(&form);
  grid.SetFont({"MS Sans Serif", 20, true, clBlack});
  grid.SetDefaultRowHeight(24);
  form.Create();
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 403);
  EXPECT_EQ(client.bottom, 291);
  EXPECT_EQ(form.PixelsPerInch(), 96);
  EXPECT_EQ(button.Left(), 354);
  EXPECT_EQ(button.Width(), 74);
  EXPECT_EQ(grid.DefaultRowHeight(), 19);
  EXPECT_EQ(grid.Font().height, 16);
  EXPECT_EQ(form.Font().height, 11);
  LOGFONTA lf{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(grid.Handle(), WM_GETFONT, 0, 0)), sizeof lf,
             &lf);
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
}

// A windowless control that fills itself with one colour and counts its paints.
class Swatch : public ui::GraphicControl {
 public:
  explicit Swatch(COLORREF c) : color(c) {}
  void Paint(HDC dc) override {
    ++paints;
    HBRUSH b = CreateSolidBrush(color);
    RECT r{-50, -50, 1000, 1000};  // beyond its bounds: the parent clips
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  COLORREF color;
  int paints = 0;
};

TEST_F(UiLayer, GraphicControlsArePaintedByTheParentInZOrderAndClipped) {
  ui::Form form;
  form.SetClientSize(200, 100);
  Swatch red(RGB(255, 0, 0)), blue(RGB(0, 0, 255));
  red.SetParent(&form);
  red.SetBounds(10, 10, 60, 40);
  blue.SetParent(&form);
  blue.SetBounds(40, 20, 60, 40);
  EXPECT_EQ((red.Repaint(), red.paints), 0);  // no window yet: nothing is drawn
  form.Create();

  HDC screenDc = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screenDc);
  HBITMAP bitmap = CreateCompatibleBitmap(screenDc, 200, 100);
  ReleaseDC(nullptr, screenDc);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(form.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  EXPECT_EQ(GetPixel(dc, 15, 15), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 50, 30), RGB(0, 0, 255));  // the later control wins
  EXPECT_EQ(GetPixel(dc, 99, 59), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 100, 60), GetSysColor(COLOR_BTNFACE));  // clipped to its bounds
  EXPECT_EQ(GetPixel(dc, 5, 5), GetSysColor(COLOR_BTNFACE));
  blue.SetVisible(false);
  SendMessageA(form.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  EXPECT_EQ(GetPixel(dc, 50, 30), RGB(255, 0, 0));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);

  // Repaint draws at once; Invalidate waits for the next paint.
  int before = red.paints;
  red.Repaint();
  EXPECT_EQ(red.paints, before + 1);
  form.Show();
  ui::App().ProcessMessages();
  before = red.paints;
  red.Invalidate();
  EXPECT_EQ(red.paints, before);
  UpdateWindow(form.Handle());
  EXPECT_EQ(red.paints, before + 1);
}

TEST_F(UiLayer, ModalFormsEndWithTheirButtonsEnterAndEscape) {
  ui::Form owner;
  owner.SetClientSize(100, 100);
  owner.Create();
  owner.Show();
  ui::Form dialog;
  dialog.SetClientSize(200, 100);
  ui::Edit edit;
  edit.SetParent(&dialog);
  edit.SetBounds(5, 5, 100, 20);
  ui::Button ok, cancel;
  ok.SetParent(&dialog);
  ok.SetBounds(5, 40, 60, 25);
  ok.ModalResult = TModalResult::mrOK;
  ok.Default = true;
  cancel.SetParent(&dialog);
  cancel.SetBounds(80, 40, 60, 25);
  cancel.ModalResult = TModalResult::mrCancel;
  dialog.DefaultButton = &ok;
  dialog.CancelButton = &cancel;
  dialog.ActiveControl = &edit;
  bool ownerEnabledDuring = true;
  ok.OnClick = [&] { ownerEnabledDuring = IsWindowEnabled(owner.Handle()); };
  dialog.Create();

  auto modalWith = [&](HWND target, UINT msg, WPARAM w, LPARAM l) {
    PostMessageA(target, msg, w, l);
    return dialog.ShowModal();
  };
  EXPECT_EQ(modalWith(edit.Handle(), WM_KEYDOWN, VK_RETURN, 1), TModalResult::mrOK);
  EXPECT_FALSE(ownerEnabledDuring);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
  EXPECT_EQ(modalWith(edit.Handle(), WM_KEYDOWN, VK_ESCAPE, 1), TModalResult::mrCancel);
  EXPECT_EQ(modalWith(dialog.Handle(), WM_CLOSE, 0, 0), TModalResult::mrCancel);
  PostMessageA(cancel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(modalWith(cancel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3)), TModalResult::mrCancel);
  // A disabled default button does not answer Enter.
  ok.SetEnabled(false);
  PostMessageA(edit.Handle(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(modalWith(edit.Handle(), WM_KEYDOWN, VK_ESCAPE, 1), TModalResult::mrCancel);
}

// A form with a member control whose destructor leaves the window to the base class.
class FormKeepingItsWindow : public ui::Form {
 public:
  FormKeepingItsWindow() {
    Name = "FormKeepingItsWindow";
    button.SetParent(this);
  }
  ui::Button button;
};

using UiLayerDeathTest = UiLayer;

TEST_F(UiLayerDeathTest, AFormWithControlsThatKeepsItsWindowPastItsDestructorStops) {
#ifdef NDEBUG
  GTEST_SKIP() << "the form-destructor rule is checked only where NDEBUG is not defined";
#endif
  auto form = std::make_unique<FormKeepingItsWindow>();
  form->Create();
  EXPECT_DEATH(form.reset(), "\"FormKeepingItsWindow\" still has its window");
  // The death was a child process's: here the form is let go as the rule asks.
  form->DestroyHandle();
  form.reset();
}

TEST_F(UiLayer, AnUnhandledErrorIsReportedOnceAndTheProgramGoesOn) {
  ui::Form form;
  form.SetClientSize(200, 100);
  ui::Button failing, working;
  failing.SetParent(&form);
  failing.SetBounds(5, 5, 60, 25);
  failing.OnClick = [] { throw TallimoError("Unable to write to C:\\DISC\\MENU.INI"); };
  working.SetParent(&form);
  working.SetBounds(80, 5, 60, 25);
  int clicks = 0;
  working.OnClick = [&] { ++clicks; };
  Swatch logo(RGB(1, 2, 3));
  logo.SetParent(&form);
  logo.SetBounds(150, 50, 20, 20);
  logo.OnClick = [] { throw std::runtime_error("Stop!"); };
  form.Create();

  Click(failing.Handle());
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Tallimo Menu/Install System");
  EXPECT_EQ(prompter.boxes[0].text, "Unable to write to C:\\DISC\\MENU.INI.");
  EXPECT_EQ(prompter.boxes[0].icon, TMsgDlgType::mtError);
  EXPECT_EQ(prompter.boxes[0].buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbOK});
  Click(working.Handle());
  EXPECT_EQ(clicks, 1);
  Click(form.Handle(), 155, 55);  // a windowless control's click, through its parent
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].text, "Stop!");
  EXPECT_TRUE(IsWindow(form.Handle()));
}

// A control whose painting fails.
class Broken : public ui::GraphicControl {
 public:
  void Paint(HDC) override {
    ++paints;
    throw std::runtime_error("Canvas does not allow drawing");
  }
  int paints = 0;
};

TEST_F(UiLayer, AFailingPaintIsReportedOnce) {
  ui::Form form;
  form.SetClientSize(100, 100);
  Broken broken;
  broken.SetParent(&form);
  broken.SetBounds(10, 10, 20, 20);
  form.Create();
  form.Show();
  UpdateWindow(form.Handle());
  ui::App().ProcessMessages();
  ui::App().ProcessMessages();
  EXPECT_EQ(broken.paints, 1);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text, "Canvas does not allow drawing.");
  // Painted at once (not through WM_PAINT), it fails to its caller.
  EXPECT_THROW(broken.Repaint(), std::runtime_error);
}

BOOL CALLBACK CountTooltips(HWND h, LPARAM count) {
  char name[64] = "";
  GetClassNameA(h, name, sizeof name);
  *reinterpret_cast<int*>(count) += lstrcmpiA(name, TOOLTIPS_CLASSA) == 0;
  return TRUE;
}

int TooltipWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountTooltips, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST_F(UiLayer, APanelShowsTheHintsOfItsButtons) {
  ui::Form form;
  form.SetClientSize(200, 100);
  ui::Panel bar;
  bar.SetParent(&form);
  bar.SetAlign(ui::TAlign::alClient);
  bar.ShowHint = true;
  ui::Button a, b, quiet;
  for (ui::Button* button : {&a, &b, &quiet}) button->SetParent(&bar);
  a.Hint = "Close Tallimo";
  b.Hint = "Install the selected program";
  form.Create();
  // The tooltip window is made when the mouse first comes over the bar's controls.
  const int before = TooltipWindows();
  SendMessageA(bar.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(a.Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(TooltipWindows(), before + 1);
  HWND tips = bar.HintWindow();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
  char text[128] = "";
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = bar.Handle();
  ti.uId = reinterpret_cast<UINT_PTR>(b.Handle());
  ti.lpszText = text;
  SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
  EXPECT_STREQ(text, "Install the selected program");
}

TEST_F(UiLayer, StatusBarPanelsBitmapButtonsAndMemoLines) {
  ui::Form form;
  form.SetClientSize(300, 200);
  ui::StatusBar status;
  status.SetParent(&form);
  status.SetPanels({150});
  status.SetPanelText(0, "C:\\DISC\\A.NFO");
  status.SetPanelText(1, "Terminal, 9 pt");
  ui::Button picture;
  picture.SetParent(&form);
  picture.SetBounds(5, 5, 34, 31);
  HBITMAP glyph = CreateBitmap(16, 16, 1, 1, nullptr);
  picture.SetGlyph(ui::OwnedBitmap(glyph));
  ui::Memo memo;
  memo.SetParent(&form);
  memo.SetBounds(5, 50, 200, 80);
  memo.SetLines({"", "  Size 3 MB", "", "  last"});
  form.Create();

  EXPECT_EQ(status.Top() + status.Height(), form.ClientHeight());  // at the bottom
  EXPECT_EQ(SendMessageA(status.Handle(), SB_GETPARTS, 0, 0), 2);
  char text[128] = "";
  SendMessageA(status.Handle(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Terminal, 9 pt");
  status.SetPanelText(0, "B.NFO");
  SendMessageA(status.Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "B.NFO");

  EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageA(picture.Handle(), BM_GETIMAGE, IMAGE_BITMAP, 0)),
            glyph);
  EXPECT_TRUE(GetWindowLongA(picture.Handle(), GWL_STYLE) & BS_BITMAP);  // no caption: picture only

  EXPECT_EQ(memo.Caption(), "\r\n  Size 3 MB\r\n\r\n  last");
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"", "  Size 3 MB", "", "  last"}));
  memo.Clear();
  EXPECT_EQ(memo.Caption(), "");
}

// The real message boxes: a timer inside the box's own loop reads it and presses a key.
struct BoxSeen {
  std::string title;
  std::vector<std::string> buttons;  // texts of IDOK, IDCANCEL, IDYES, IDNO that exist
  bool hasIcon = false;
  std::string text;
  int key = 0;
};
BoxSeen* g_seen = nullptr;

BOOL CALLBACK FindBox(HWND h, LPARAM p) {
  char cls[32] = "";
  GetClassNameA(h, cls, sizeof cls);
  if (std::string(cls) == "#32770" && IsWindowVisible(h)) {
    *reinterpret_cast<HWND*>(p) = h;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
  if (!box || !g_seen) return;
  KillTimer(nullptr, id);
  char text[128] = "";
  GetWindowTextA(box, text, sizeof text);
  g_seen->title = text;
  for (int button : {IDOK, IDCANCEL, IDYES, IDNO}) {
    HWND h = GetDlgItem(box, button);
    if (!h) continue;
    GetWindowTextA(h, text, sizeof text);
    g_seen->buttons.push_back(text);
  }
  for (HWND h = FindWindowExA(box, nullptr, "Static", nullptr); h;
       h = FindWindowExA(box, h, "Static", nullptr)) {
    if ((GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageA(h, STM_GETICON, 0, 0) != 0)
      g_seen->hasIcon = true;
    GetWindowTextA(h, text, sizeof text);
    if (text[0]) g_seen->text = text;
  }
  HWND focus = GetFocus();
  PostMessageA(focus ? focus : box, WM_KEYDOWN, static_cast<WPARAM>(g_seen->key), 1);
}

TModalResult AskWithKey(int key, TMsgDlgType type, std::vector<TMsgDlgBtn> buttons, BoxSeen& seen,
                        std::optional<TMsgDlgBtn> defaultButton = std::nullopt) {
  seen.key = key;
  g_seen = &seen;
  SetTimer(nullptr, 0, 100, AnswerBox);
  TModalResult r = defaultButton ? HostPrompter().MessageDlgWithDefault("Save the changes?", type,
                                                                        buttons, *defaultButton)
                                 : HostPrompter().MessageDlg("Save the changes?", type, buttons);
  g_seen = nullptr;
  return r;
}

TEST(Win32Prompter, BoxesHaveTheirTitlesButtonsDefaultsAndEscapeAnswers) {
  using B = TMsgDlgBtn;
  BoxSeen seen;
  EXPECT_EQ(AskWithKey(VK_ESCAPE, TMsgDlgType::mtConfirmation, {B::mbYes, B::mbNo}, seen),
            TModalResult::mrNo);
  EXPECT_EQ(seen.title, "Confirm");
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_TRUE(seen.hasIcon);

  BoxSeen enter;
  EXPECT_EQ(AskWithKey(VK_RETURN, TMsgDlgType::mtConfirmation, {B::mbYes, B::mbNo}, enter),
            TModalResult::mrYes);

  // Another default: Enter answers No, and so does Escape.
  for (int key : {VK_RETURN, VK_ESCAPE}) {
    BoxSeen no;
    EXPECT_EQ(AskWithKey(key, TMsgDlgType::mtConfirmation, {B::mbYes, B::mbNo}, no, B::mbNo),
              TModalResult::mrNo);
  }

  BoxSeen three;
  EXPECT_EQ(AskWithKey(VK_ESCAPE, TMsgDlgType::mtWarning, {B::mbYes, B::mbNo, B::mbCancel}, three),
            TModalResult::mrCancel);
  EXPECT_EQ(three.title, "Warning");
  EXPECT_EQ(three.buttons, (std::vector<std::string>{"Cancel", "&Yes", "&No"}));

  BoxSeen ok;
  EXPECT_EQ(AskWithKey(VK_ESCAPE, TMsgDlgType::mtInformation, {B::mbOK}, ok), TModalResult::mrOK);
  EXPECT_EQ(ok.title, "Information");
  EXPECT_EQ(ok.buttons, std::vector<std::string>{"OK"});
  EXPECT_EQ(ok.text, "Save the changes?");

  BoxSeen report;
  report.key = VK_RETURN;
  g_seen = &report;
  SetTimer(nullptr, 0, 100, AnswerBox);
  HostPrompter().ShowErrorReport("Unable to write to A:\\MENU.INI");
  g_seen = nullptr;
  EXPECT_EQ(report.title, "Tallimo Menu/Install System");
  EXPECT_EQ(report.text, "Unable to write to A:\\MENU.INI.");
  EXPECT_EQ(report.buttons, std::vector<std::string>{"OK"});
  EXPECT_TRUE(report.hasIcon);
}

}  // namespace
}  // namespace tallimo
