#include "ui/label.h"

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
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color_));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  const TFont& f = Font();
  LOGFONTA lf{};
  lf.lfHeight = -f.height;
  lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, f.name.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(f.color));
  UINT format = WordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  if (Alignment == TAlignment::taCenter) format |= DT_CENTER;
  if (Alignment == TAlignment::taRightJustify) format |= DT_RIGHT;
  DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, format);
  SelectObject(dc, old);
  DeleteObject(font);
}

}  // namespace tallimo::ui
