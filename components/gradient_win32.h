#pragma once
// Drawing the gradient's bands with GDI.
#include <windows.h>

#include "components/gradient.h"

namespace tallimo {

// Fills the 256 bands of a width x height gradient on dc, in client coordinates of the
// control, each with a solid brush of its colour; nothing else is drawn. The caller clips.
void PaintGradientBands(HDC dc, const GradientColorTable& colors, const GradientBandRects& bands);

}  // namespace tallimo
