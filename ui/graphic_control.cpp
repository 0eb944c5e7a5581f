#include "ui/graphic_control.h"

#include "ui/gdi.h"
#include "ui/win_control.h"

namespace tallimo::ui {

void GraphicControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated()) return;
  RECT r{bounds_.left, bounds_.top, bounds_.left + bounds_.width, bounds_.top + bounds_.height};
  InvalidateRect(parent_->Handle(), &r, TRUE);
}

void GraphicControl::Repaint() {
  if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
  const WindowDC dc(parent_->Handle());
  if (!dc) return;
  const SavedDC saved(dc.Get());
  IntersectClipRect(dc.Get(), bounds_.left, bounds_.top, bounds_.left + bounds_.width,
                    bounds_.top + bounds_.height);
  SetViewportOrgEx(dc.Get(), bounds_.left, bounds_.top, nullptr);
  SelectObject(dc.Get(), parent_->FontHandle());
  Paint(dc.Get());
}

void GraphicControl::BoundsChanged(const TBounds& old) {
  if (!parent_ || !parent_->HandleAllocated()) return;
  RECT r{old.left, old.top, old.left + old.width, old.top + old.height};
  InvalidateRect(parent_->Handle(), &r, TRUE);
  Invalidate();
}

}  // namespace tallimo::ui
