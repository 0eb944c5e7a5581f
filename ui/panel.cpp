#include "ui/panel.h"

#include "ui/gdi.h"
#include "ui/hint_window.h"

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
    const OwnedPen tl(CreatePen(PS_SOLID, 1, topLeft));
    const OwnedPen br(CreatePen(PS_SOLID, 1, bottomRight));
    {
      const SelectIn selected(dc, tl.Get());
      MoveToEx(dc, r.left, r.bottom - 1, nullptr);
      LineTo(dc, r.left, r.top);
      LineTo(dc, r.right - 1, r.top);
    }
    {
      const SelectIn selected(dc, br.Get());
      MoveToEx(dc, r.right - 1, r.top, nullptr);
      LineTo(dc, r.right - 1, r.bottom - 1);
      LineTo(dc, r.left - 1, r.bottom - 1);
    }
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
  if (ShowHint && !tooltip_) tooltip_ = CreateHintWindow(*this);
  return tooltip_;
}

void Panel::OnDestroy() {
  if (tooltip_) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
}

}  // namespace tallimo::ui
