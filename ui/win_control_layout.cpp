// Alignment of a windowed control's children, its client area, bounds and scaling.
#include <algorithm>

#include "ui/win_control.h"

namespace tallimo::ui {

void WinControl::OnSize() {
  Realign();
}

RECT WinControl::AlignArea() const {
  RECT r{0, 0, bounds_.width, bounds_.height};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r;
}

int WinControl::ClientWidth() const {
  RECT r{0, 0, bounds_.width, bounds_.height};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r.right - r.left;
}

int WinControl::ClientHeight() const {
  RECT r{0, 0, bounds_.width, bounds_.height};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r.bottom - r.top;
}

void WinControl::Realign() {
  if (aligning_) return;
  aligning_ = true;
  RECT r = AlignArea();
  auto each = [&](TAlign a, auto&& place) {
    for (Control* c : children_)
      if (c->Visible() && c->Align() == a) place(c);
  };
  each(TAlign::alTop, [&](Control* c) {
    c->SetBounds(r.left, r.top, r.right - r.left, c->Height());
    r.top += c->Height();
  });
  each(TAlign::alBottom, [&](Control* c) {
    c->SetBounds(r.left, r.bottom - c->Height(), r.right - r.left, c->Height());
    r.bottom -= c->Height();
  });
  each(TAlign::alLeft, [&](Control* c) {
    c->SetBounds(r.left, r.top, c->Width(), std::max<int>(r.bottom - r.top, 0));
    r.left += c->Width();
  });
  each(TAlign::alRight, [&](Control* c) {
    c->SetBounds(r.right - c->Width(), r.top, c->Width(), std::max<int>(r.bottom - r.top, 0));
    r.right -= c->Width();
  });
  each(TAlign::alClient, [&](Control* c) {
    c->SetBounds(r.left, r.top, std::max<int>(r.right - r.left, 0),
                 std::max<int>(r.bottom - r.top, 0));
  });
  aligning_ = false;
}

void WinControl::ScaleBy(int num, int den) {
  Control::ScaleBy(num, den);
  for (Control* c : children_) c->ScaleBy(num, den);
}

void WinControl::BoundsChanged(const TBounds& old) {
  (void)old;
  if (hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD))
    SetWindowPos(hwnd_, nullptr, bounds_.left, bounds_.top, bounds_.width, bounds_.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinControl::ReadBoundsFromWindow() {
  if (!hwnd_) return;
  RECT r;
  GetWindowRect(hwnd_, &r);
  if (parent_ && parent_->Handle())
    MapWindowPoints(HWND_DESKTOP, parent_->Handle(), reinterpret_cast<POINT*>(&r), 2);
  bounds_ = {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace tallimo::ui
