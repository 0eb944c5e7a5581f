// The gradient fill control and its 256 band fills.
#include "components/gradient_win32.h"

#include "ui/gdi.h"

namespace tallimo {

void PaintGradientBands(HDC dc, const GradientColorTable& colors, const GradientBandRects& bands) {
  // Only the bands inside the area being painted are filled (a button asks for its own
  // background only).
  RECT clip;
  const bool clipped = GetClipBox(dc, &clip) != ERROR;
  for (int i = 0; i < kGradientBands; ++i) {
    // A band of no pixels (more bands than rows) and one outside the area need no brush.
    if (bands[i].right <= bands[i].left || bands[i].bottom <= bands[i].top) continue;
    if (clipped && (bands[i].right <= clip.left || bands[i].left >= clip.right ||
                    bands[i].bottom <= clip.top || bands[i].top >= clip.bottom))
      continue;
    // The table holds plain 0x00BBGGRR values, which is a COLORREF as it stands.
    const ui::OwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(colors[i])));
    if (!brush) continue;  // out of GDI objects: the band stays as it was
    const RECT rect{bands[i].left, bands[i].top, bands[i].right, bands[i].bottom};
    FillRect(dc, &rect, brush.Get());
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
