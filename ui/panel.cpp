#include "ui/panel.h"

#include <commctrl.h>

namespace tallimo::ui {

Panel::Panel() {
  TabStop = false;
}

void Panel::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.exStyle |= WS_EX_CONTROLPARENT;
}

RECT Panel::AlignArea() const {
  RECT r = WinControl::AlignArea();
  int inset = (BevelOuter != TBevelCut::bvNone ? BevelWidth : 0) +
              (BevelInner != TBevelCut::bvNone ? BevelWidth : 0);
  InflateRect(&r, -inset, -inset);
  return r;
}

static void Bevel(HDC dc, RECT& r, TBevelCut cut, int width) {
  if (cut == TBevelCut::bvNone) return;
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  COLORREF topLeft = cut == TBevelCut::bvRaised ? light : dark;
  COLORREF bottomRight = cut == TBevelCut::bvRaised ? dark : light;
  for (int i = 0; i < width; ++i) {
    HPEN tl = CreatePen(PS_SOLID, 1, topLeft), br = CreatePen(PS_SOLID, 1, bottomRight);
    HGDIOBJ old = SelectObject(dc, tl);
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SelectObject(dc, br);
    MoveToEx(dc, r.right - 1, r.top, nullptr);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left - 1, r.bottom - 1);
    SelectObject(dc, old);
    DeleteObject(tl);
    DeleteObject(br);
    InflateRect(&r, -1, -1);
  }
}

void Panel::PaintFace(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  Bevel(dc, r, BevelOuter, BevelWidth);
  Bevel(dc, r, BevelInner, BevelWidth);
}

LRESULT Panel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Sent to the panel for its controls too, before their first mouse move arrives.
  if (msg == WM_SETCURSOR) HintWindow();
  return WinControl::WndProc(msg, wParam, lParam);
}

HWND Panel::HintWindow() {
  if (!ShowHint || tooltip_ || !hwnd_) return tooltip_;
  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!tooltip_) return nullptr;
  for (Control* c : children_) {
    if (!c->IsWindowed() || c->Hint.empty()) continue;
    auto* w = static_cast<WinControl*>(c);
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(w->Handle());
    ti.lpszText = const_cast<char*>(c->Hint.c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
  return tooltip_;
}

void Panel::OnDestroy() {
  if (tooltip_) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
}

}  // namespace tallimo::ui
