#pragma once
// A windowless control: it has no HWND and is painted by its parent, in z-order, on the
// parent's device context. Bounds are in the parent's client coordinates; Paint draws in the
// control's own coordinates, (0, 0) to (Width, Height), clipped to them.
#include <functional>

#include "ui/control.h"
#include "ui/control_values.h"

namespace tallimo::ui {

class GraphicControl : public Control {
 public:
  // Draws the control. The DC's origin is the control's top-left corner and its clip region
  // the control's rectangle (intersected with what the parent repaints).
  virtual void Paint(HDC dc) = 0;

  // An opaque control covers all of its rectangle: the parent does not erase the background
  // under it (the control answers the background erase itself).
  bool Opaque() const { return opaque_; }
  void SetOpaque(bool opaque) { opaque_ = opaque; }

  // Marks the parent's area under the control for repainting (painted later, in z-order).
  void Invalidate();
  // Paints the control now on the parent's window DC, without going through WM_PAINT.
  // Does nothing while the parent has no window.
  void Repaint();

  // A click (button pressed and released) on the control's rectangle.
  std::function<void()> OnClick;
  virtual void Click() {
    if (OnClick) OnClick();
  }
  // Mouse events in the control's own coordinates: a press on the control, and the moves and
  // the release that follow it wherever the mouse goes, or a move over it. The defaults raise
  // the events below.
  std::function<void(TMouseButton, TShiftState, int x, int y)> OnMouseDown;
  std::function<void(TShiftState, int x, int y)> OnMouseMove;
  std::function<void(TMouseButton, TShiftState, int x, int y)> OnMouseUp;
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(button, shift, x, y);
  }
  virtual void MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(shift, x, y);
  }
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(button, shift, x, y);
  }
  // The cursor shown over the control (nullptr: the parent's).
  LPCSTR Cursor = nullptr;

 protected:
  void BoundsChanged(const TBounds& old) override;

 private:
  bool opaque_ = false;
};

}  // namespace tallimo::ui
