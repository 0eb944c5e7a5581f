// The gradient's 256 band fills.
#include "components/gradient_win32.h"

namespace tallimo {

void PaintGradientBands(HDC dc, const GradientColorTable& colors, const GradientBandRects& bands) {
  for (int i = 0; i < kGradientBands; ++i) {
    // The table holds plain 0x00BBGGRR values, which is a COLORREF as it stands.
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(colors[i]));
    if (brush == nullptr) continue;  // out of GDI objects: the band stays as it was
    const RECT rect{bands[i].left, bands[i].top, bands[i].right, bands[i].bottom};
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
  }
}

}  // namespace tallimo
