#include "ui/form.h"

#include <cstdio>
#include <cstdlib>
#include <typeinfo>
#include <vector>

#include "ui/application.h"
#include "ui/button.h"
#include "ui/hint_window.h"
#include "ui/label.h"
#include "ui/layout_fit.h"
#include "ui/menu.h"

namespace tallimo::ui {

namespace {
constexpr UINT_PTR kFormTimer = 1;
}  // namespace

static BOOL CALLBACK CollectEnabled(HWND h, LPARAM p) {
  auto* list = reinterpret_cast<std::vector<HWND>*>(p);
  if (IsWindowVisible(h) && IsWindowEnabled(h)) list->push_back(h);
  return TRUE;
}

Form::Form() {
  font_ = TFont{};
  ParentFont = false;
  visible_ = false;
}

Form::~Form() {
#ifndef NDEBUG
  if (hwnd_ && destroysOwnWindow_) {
    std::fprintf(stderr,
                 "Form \"%s\" still has its window after its own destructor: a form with member "
                 "controls must destroy its window (DestroyHandle) in its own destructor.\n",
                 Name.c_str());
    std::fflush(stderr);
    std::abort();
  }
#endif
  if (App().MainForm == this) App().MainForm = nullptr;
}

namespace {
bool AskDialogChar(WinControl& parent, wchar_t key) {
  for (Control* c : parent.Children()) {
    if (!c->Visible()) continue;
    if (c->IsWindowed()) {
      auto* w = static_cast<WinControl*>(c);
      if (!w->Enabled()) continue;
      if (w->DialogChar(key) || AskDialogChar(*w, key)) return true;
    } else if (c->DialogChar(key)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool Form::ShortCut(int key) {
  if (!OnShortCut) return false;
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return OnShortCut(key, shift);
}

bool Form::DialogKey(wchar_t key) {
  return AskDialogChar(*this, key);
}

void Form::MakeHintWindow() {
  if (ShowHint && !hints_) hints_ = CreateHintWindow(*this);
}

void Form::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  if (hwnd_) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, Style(), Menu != nullptr, ExStyle());
    SetBounds(bounds_.left, bounds_.top, r.right - r.left, r.bottom - r.top);
  }
}

DWORD Form::Style() const {
  DWORD style = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
  if (BorderStyle == TBorderStyle::bsSizeable)
    style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  else if (BorderStyle == TBorderStyle::bsDialog)
    style |= DS_MODALFRAME;
  return style;
}

DWORD Form::ExStyle() const {
  DWORD ex = WS_EX_CONTROLPARENT;
  if (BorderStyle == TBorderStyle::bsDialog) ex |= WS_EX_DLGMODALFRAME;
  if (HelpButton) ex |= WS_EX_CONTEXTHELP;
  return ex;
}

void Form::ScaleBy(int num, int den) {
  // A form keeps its position; its client size and its controls are scaled.
  clientWidth_ = FitDesignSize(clientWidth_, num, den);
  clientHeight_ = FitDesignSize(clientHeight_, num, den);
  font_.height = FitDesignSize(font_.height, num, den);
  for (Control* c : children_) c->ScaleBy(num, den);
}

void Form::FillCreateParams(CreateParams& params) {
  params.style = Style();
  params.exStyle = ExStyle();
  // Every form is owned by the main form, so dialogs stay above it; the main form is owned by
  // the application's window, whose task-bar button stands for the whole program.
  params.parent =
      (App().MainForm && App().MainForm != this) ? App().MainForm->Handle() : App().Handle();
  params.menuOrId = Menu ? Menu->Handle() : nullptr;
}

void Form::Create() {
  if (hwnd_) return;
  if (!App().MainForm) App().MainForm = this;
#ifndef NDEBUG
  destroysOwnWindow_ = typeid(*this) != typeid(Form) && !children_.empty();
#endif
  ppi_ = App().GetScreen().PixelsPerInch();
  if (ppi_ != DesignPixelsPerInch) ScaleBy(ppi_, DesignPixelsPerInch);
  RECT r{0, 0, clientWidth_, clientHeight_};
  AdjustWindowRectEx(&r, Style(), Menu != nullptr, ExStyle());
  bounds_.width = r.right - r.left;
  bounds_.height = r.bottom - r.top;
  CreateHandle();
  ReadBoundsFromWindow();
  Realign();
  MakeHintWindow();
  FormCreate();
}

RECT Form::AlignArea() const {
  RECT r{0, 0, clientWidth_, clientHeight_};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r;
}

void Form::BoundsChanged(const TBounds& old) {
  (void)old;
  if (!hwnd_) return;
  settingBounds_ = true;
  SetWindowPos(hwnd_, nullptr, bounds_.left, bounds_.top, bounds_.width, bounds_.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  settingBounds_ = false;
  ReadBoundsFromWindow();
}

void Form::OnSize() {
  if (!settingBounds_) ReadBoundsFromWindow();
  RECT r;
  GetClientRect(hwnd_, &r);
  if (!IsIconic(hwnd_)) {
    clientWidth_ = r.right;
    clientHeight_ = r.bottom;
  }
  Realign();
  if (OnResize) OnResize();
}

void Form::Show() {
  if (!hwnd_) Create();
  if (!shownOnce_ && Position == TPosition::poScreenCenter) {
    Screen& s = App().GetScreen();
    RECT wr;
    GetWindowRect(hwnd_, &wr);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    SetWindowPos(hwnd_, nullptr, (s.Width() - w) / 2, (s.Height() - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ReadBoundsFromWindow();
  }
  shownOnce_ = true;
  visible_ = true;
  // A hidden window may not have had its WM_SIZE yet: lay it out for its size now, so that
  // showing it paints each control once instead of moving them all on screen.
  if (!IsWindowVisible(hwnd_)) OnSize();
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  if (ActiveControl && ActiveControl->HandleAllocated()) ActiveControl->SetFocus();
  if (OnShow) OnShow();
}

void Form::Hide() {
  visible_ = false;
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void Form::Close() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(canClose);
  if (!canClose) return;
  if (modal_) {
    ModalResult = TModalResult::mrCancel;
    return;
  }
  if (OnClose) OnClose();
  if (App().MainForm == this) {
    DestroyHandle();
    App().Terminate();
  } else {
    Hide();
  }
}

TModalResult Form::ShowModal() {
  if (!hwnd_) Create();
  // The other windows of the thread are disabled while the form is up.
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
  HWND previous = GetActiveWindow();
  for (HWND h : disabled)
    if (h != hwnd_) EnableWindow(h, FALSE);
  modal_ = true;
  ModalResult = TModalResult::mrNone;
  Show();
  while (ModalResult == TModalResult::mrNone && !App().Terminated() && hwnd_)
    App().ProcessMessage(true);
  TModalResult result = ModalResult;
  for (HWND h : disabled)
    if (h != hwnd_ && IsWindow(h)) EnableWindow(h, TRUE);
  Hide();
  modal_ = false;
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
  return result;
}

void Form::ShowHelp(int context, const RECT& place) {
  HelpEngine& help = App().GetHelpEngine();
  if (HelpButton) {
    help.SetPopupPos(App().HelpFile, place.left, place.top);
    help.ShowPopup(App().HelpFile, context);
  } else {
    help.ShowContext(App().HelpFile, context);
  }
}

void Form::ControlHelp(const WinControl& control) {
  int context = 0;
  const Control* c = &control;
  for (; c && context == 0; c = c->Parent()) context = c->HelpContext;
  if (context == 0) return;
  // The pop-up's place: the top-left corner of the control asked about.
  RECT place{};
  if (control.HandleAllocated()) GetWindowRect(control.Handle(), &place);
  ShowHelp(context, place);
}

void Form::MenuItemHelp(const MenuItem* item) {
  RECT window{};
  if (hwnd_) GetWindowRect(hwnd_, &window);
  ShowHelp(item ? item->EffectiveHelpContext() : 0, window);
}

bool Form::OnCommand(int id, int code, HWND control) {
  // Enter and Escape as the dialog manager sends them (IDOK, IDCANCEL or the default id).
  if (id == IDCANCEL && (!control || !FromHandle(control))) {
    if (CancelButton && CancelButton->Enabled()) CancelButton->Click();
    return true;
  }
  if (id == IDOK && (!control || !FromHandle(control))) {
    if (DefaultButton && DefaultButton->Enabled()) DefaultButton->Click();
    return true;
  }
  return WinControl::OnCommand(id, code, control);
}

void Form::StartTimer(unsigned milliseconds) {
  if (HandleAllocated()) SetTimer(Handle(), kFormTimer, milliseconds, nullptr);
}

void Form::StopTimer() {
  if (HandleAllocated()) KillTimer(Handle(), kFormTimer);
}

LRESULT Form::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETMINMAXINFO: {
      LRESULT r = DefaultProc(msg, wParam, lParam);
      GetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
      return r;
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE && App().MainForm == this) {
        App().Minimize();
        return 0;
      }
      break;
    case WM_HELP: {
      // F1 (or the caption help button) on a control of this window, or F1 on a highlighted
      // item of its main menu or of a popup menu it opened.
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      if (info->iContextType == HELPINFO_MENUITEM) {
        MenuItemHelp(MenuItem::FromMenuId(static_cast<UINT_PTR>(info->iCtrlId)));
      } else {
        WinControl* control = FromHandle(static_cast<HWND>(info->hItemHandle));
        // A control of the toolkit's own (the edit inside a combo box) answers for its owner.
        for (HWND h = static_cast<HWND>(info->hItemHandle); !control && h && h != hwnd_;) {
          h = GetParent(h);
          control = FromHandle(h);
        }
        if (control && control->TopLevel() == this) ControlHelp(*control);
      }
      return TRUE;
    }
    case DM_GETDEFID:
      if (DefaultButton && DefaultButton->HandleAllocated())
        return MAKELRESULT(DefaultButton->ControlId(), DC_HASDEFID);
      return 0;
    case WM_MOVE:
      if (!settingBounds_) ReadBoundsFromWindow();
      break;
    case WM_NEXTDLGCTL: {
      // Tab and Shift+Tab from a multi-line edit, or a control to focus.
      HWND to = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                               : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
      if (to) ::SetFocus(to);
      return 0;
    }
    case WM_DESTROY:
      hints_ = nullptr;  // an owned window: gone with the form's
      break;
    case WM_TIMER:
      if (wParam == kFormTimer && OnTimer) OnTimer();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && OnActivate) OnActivate();
      break;
  }
  return WinControl::WndProc(msg, wParam, lParam);
}

}  // namespace tallimo::ui
