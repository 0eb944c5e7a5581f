#pragma once
// The gradient fill control: a windowless control that covers its parent's client area with
// 256 solid bands running from ColorStart to ColorEnd (or back, with Swap).
#include <windows.h>

#include "components/gradient.h"
#include "platform/system_colors.h"
#include "ui/graphic_control.h"

namespace tallimo {

// Fills the 256 bands on dc, in the control's own coordinates, each with a solid brush of
// its colour; nothing else is drawn. The caller clips to the control.
void PaintGradientBands(HDC dc, const GradientColorTable& colors, const GradientBandRects& bands);

class TGradient : public ui::GraphicControl {
 public:
  // Client-aligned, clBlack to clBlue, top to bottom, not swapped; system colours are read
  // from `colors`.
  explicit TGradient(SystemColors& colors);

  // Each setter stores the value, rebuilds the colour table and paints at once on the
  // parent's window (also when the value is the same; nothing while the parent has no window).
  TColor ColorStart() const { return fill_.ColorStart(); }
  void SetColorStart(TColor value) { fill_.SetColorStart(value); }
  TColor ColorEnd() const { return fill_.ColorEnd(); }
  void SetColorEnd(TColor value) { fill_.SetColorEnd(value); }
  TGradDirection Direction() const { return fill_.Direction(); }
  void SetDirection(TGradDirection value) { fill_.SetDirection(value); }
  bool Swap() const { return fill_.Swap(); }
  void SetSwap(bool value) { fill_.SetSwap(value); }

  const GradientColorTable& BandColors() const { return fill_.BandColors(); }

  // The 256 band fills for the current size.
  void Paint(HDC dc) override;

 private:
  GradientFill fill_;
};

}  // namespace tallimo
