#include "ui/label.h"

#include "ui/gdi.h"
#include "ui/win_control.h"

namespace tallimo::ui {

void Label::SetCaption(const std::string& caption) {
  caption_ = caption;
  Invalidate();
}

void Label::SetColor(TColor color) {
  color_ = color;
  Transparent = false;
  Invalidate();
}

void Label::Paint(HDC dc) {
  RECT r{0, 0, Width(), Height()};
  if (!Transparent) {
    const OwnedBrush brush(CreateSolidBrush(ColorToRGB(color_)));
    if (brush) FillRect(dc, &r, brush.Get());
  }
  const TFont& f = Font();
  const OwnedFont font = MakeFont(f);
  const SelectIn selected(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(f.color));
  UINT format = WordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  if (Alignment == TAlignment::taCenter) format |= DT_CENTER;
  if (Alignment == TAlignment::taRightJustify) format |= DT_RIGHT;
  DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, format);
}

}  // namespace tallimo::ui
