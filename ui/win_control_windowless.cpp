// The windowless (graphic) children of a windowed control: their parent erases around them,
// paints them in z-order and routes the mouse to them.
#include "ui/gdi.h"
#include "ui/graphic_control.h"
#include "ui/win_control.h"

namespace tallimo::ui {

HBRUSH WinControl::BackgroundBrush() {
  TColor c = color_;
  if (ParentColor && parent_) c = parent_->Color();
  COLORREF rgb = ColorToRGB(c);
  if (!brush_ || rgb != brushColor_) {
    brush_.Reset(CreateSolidBrush(rgb));
    brushColor_ = rgb;
  }
  return brush_.Get();
}

bool WinControl::OnEraseBackground(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  const SavedDC saved(dc);
  for (Control* c : children_) {
    if (c->IsWindowed() || !c->Visible()) continue;
    auto* g = static_cast<GraphicControl*>(c);
    if (g->Opaque())
      ExcludeClipRect(dc, g->Left(), g->Top(), g->Left() + g->Width(), g->Top() + g->Height());
  }
  FillRect(dc, &r, BackgroundBrush());
  return true;
}

void WinControl::OnPaint(HDC dc, const RECT& area) {
  PaintFace(dc);
  for (Control* c : children_) {
    if (c->IsWindowed() || !c->Visible()) continue;
    auto* g = static_cast<GraphicControl*>(c);
    RECT r{g->Left(), g->Top(), g->Left() + g->Width(), g->Top() + g->Height()};
    RECT hit;
    if (!IntersectRect(&hit, &r, &area)) continue;
    const SavedDC saved(dc);  // put back on every path, a failing paint's too
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    // Offset, not set: a DC printed from a child (WM_PRINTCLIENT) is already moved.
    OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
    SelectObject(dc, FontHandle());
    g->Paint(dc);
  }
}

GraphicControl* WinControl::GraphicAt(int x, int y) {
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    Control* c = *it;
    if (c->IsWindowed() || !c->Visible()) continue;
    if (x >= c->Left() && x < c->Left() + c->Width() && y >= c->Top() && y < c->Top() + c->Height())
      return static_cast<GraphicControl*>(c);
  }
  return nullptr;
}

namespace {
TMouseButton MouseButton(int button) {
  return button == 0 ? TMouseButton::mbLeft : TMouseButton::mbRight;
}
}  // namespace

// A left press on a graphic control holds the mouse for it until the release: it then gets
// the moves and the release wherever they happen, and a click when released over it.
void WinControl::OnMouseDown(int button, int x, int y) {
  if (!ownClass_) return;
  GraphicControl* target = GraphicAt(x, y);
  if (button == 0) {
    pressed_ = target;
    if (pressed_) SetCapture(hwnd_);
  }
  if (target)
    target->MouseDown(MouseButton(button), mouseShift_, x - target->Left(), y - target->Top());
}

void WinControl::OnMouseMove(int x, int y) {
  if (!ownClass_) return;
  GraphicControl* target = pressed_ ? pressed_ : GraphicAt(x, y);
  if (target) target->MouseMove(mouseShift_, x - target->Left(), y - target->Top());
}

void WinControl::OnMouseUp(int button, int x, int y) {
  if (!ownClass_) return;
  GraphicControl* pressed = button == 0 ? pressed_ : nullptr;
  GraphicControl* target = pressed ? pressed : GraphicAt(x, y);
  if (button == 0) {
    pressed_ = nullptr;
    if (GetCapture() == hwnd_) ReleaseCapture();
  }
  if (target)
    target->MouseUp(MouseButton(button), mouseShift_, x - target->Left(), y - target->Top());
  // The release first, then the click, so that a button looks up again before its command.
  if (pressed && pressed == GraphicAt(x, y)) pressed->Click();
}

bool WinControl::OnSetCursor() {
  if (!ownClass_) return false;
  POINT pt;
  GetCursorPos(&pt);
  ScreenToClient(hwnd_, &pt);
  GraphicControl* g = GraphicAt(pt.x, pt.y);
  if (g && g->Cursor) {
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(g->Cursor)));  // a system id
    return true;
  }
  return false;
}

}  // namespace tallimo::ui
