// The gradient fill control and its 256 band fills.
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

TGradient::TGradient(SystemColors& colors) : fill_(colors, [this] { Repaint(); }) {
  SetAlign(ui::TAlign::alClient);
  // The bands cover every pixel: the parent erases nothing under the control.
  SetOpaque(true);
}

void TGradient::Paint(HDC dc) {
  // The size is read once, before the bands.
  PaintGradientBands(dc, fill_.BandColors(), GradientBands(fill_.Direction(), Width(), Height()));
}

}  // namespace tallimo
