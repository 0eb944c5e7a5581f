#pragma once
// A splitter: a bar between two aligned controls; dragging it changes the size of the control
// before it (on its left for a left-aligned splitter, above it for a top-aligned one).
#include "ui/win_control.h"

namespace tallimo::ui {

class Splitter : public WinControl {
 public:
  Splitter();
  int MinSize = 30;
  // The control that the splitter resizes, found by position when not set.
  Control* ResizeControl();

 protected:
  void OnMouseDown(int button, int x, int y) override;
  void OnMouseMove(int x, int y) override;
  void OnMouseUp(int button, int x, int y) override;
  bool OnSetCursor() override;

 private:
  bool dragging_ = false;
  int grab_ = 0;
};

}  // namespace tallimo::ui
