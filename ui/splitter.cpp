#include "ui/splitter.h"

#include <algorithm>

namespace tallimo::ui {

Splitter::Splitter() {
  align_ = TAlign::alLeft;
  bounds_.width = 3;
}

Control* Splitter::ResizeControl() {
  if (!parent_) return nullptr;
  for (Control* c : parent_->Children()) {
    if (c == this || !c->Visible() || c->Align() != align_) continue;
    if (align_ == TAlign::alLeft && c->Left() + c->Width() == Left()) return c;
    if (align_ == TAlign::alTop && c->Top() + c->Height() == Top()) return c;
  }
  return nullptr;
}

void Splitter::OnMouseDown(int button, int x, int y) {
  if (button != 0) return;
  dragging_ = true;
  grab_ = align_ == TAlign::alTop ? y : x;
  SetCapture(hwnd_);
}

void Splitter::OnMouseMove(int x, int y) {
  if (!dragging_) return;
  Control* target = ResizeControl();
  if (!target) return;
  int delta = (align_ == TAlign::alTop ? y : x) - grab_;
  if (delta == 0) return;
  int limit = align_ == TAlign::alTop ? parent_->ClientHeight() : parent_->ClientWidth();
  if (align_ == TAlign::alTop) {
    int h = std::clamp(target->Height() + delta, MinSize, std::max(MinSize, limit - MinSize));
    target->SetHeight(h);
  } else {
    int w = std::clamp(target->Width() + delta, MinSize, std::max(MinSize, limit - MinSize));
    target->SetWidth(w);
  }
}

void Splitter::OnMouseUp(int button, int x, int y) {
  (void)button, (void)x, (void)y;
  dragging_ = false;
  if (GetCapture() == hwnd_) ReleaseCapture();
}

bool Splitter::OnSetCursor() {
  SetCursor(LoadCursorW(
      nullptr, reinterpret_cast<LPCWSTR>(align_ == TAlign::alTop ? IDC_SIZENS : IDC_SIZEWE)));
  return true;
}

}  // namespace tallimo::ui
