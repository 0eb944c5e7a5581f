#pragma once
// A panel: a container with an outer and an inner bevel; it can show the hints of the
// controls it holds (as tooltips).
#include "ui/win_control.h"

namespace tallimo::ui {

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class Panel : public WinControl {
 public:
  Panel();
  TBevelCut BevelOuter = TBevelCut::bvRaised;
  TBevelCut BevelInner = TBevelCut::bvNone;
  int BevelWidth = 1;
  // Shows the Hint of each windowed child as a tooltip. The tooltip window is made when the
  // mouse first comes over the panel or one of its controls (or when asked for), not before
  // the first paint.
  bool ShowHint = false;
  HWND HintWindow();
  RECT AlignArea() const override;

 protected:
  void FillCreateParams(CreateParams& params) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void PaintFace(HDC dc) override;
  void OnDestroy() override;

 private:
  HWND tooltip_ = nullptr;
};

}  // namespace tallimo::ui
