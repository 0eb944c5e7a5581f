#include "ui/label.h"

#include "platform/wide.h"
#include "ui/gdi.h"
#include "ui/win_control.h"

namespace tallimo::ui {

void Label::SetCaption(const std::string& caption) {
  caption_ = caption;
  AdjustBounds();
  Invalidate();
}

void Label::SetAutoSize(bool autoSize) {
  AutoSize = autoSize;
  AdjustBounds();
}

void Label::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void Label::AdjustBounds() {
  if (!AutoSize) return;
  RECT r{0, 0, 0, 0};
  {
    const WindowDC screen(nullptr);
    if (!screen) return;
    const OwnedFont font = MakeFont(Font());
    const SelectIn selected(screen.Get(), font.Get());
    DrawTextW(screen.Get(), Widen(caption_).c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
  }
  // Two pixels more: some glyphs (the colon of the system's sans serif) reach past the
  // measured width.
  SetBounds(Left(), Top(), r.right - r.left + 2, r.bottom - r.top);
}

void Label::SetColor(TColor color) {
  color_ = color;
  Transparent = false;
  Invalidate();
}

bool Label::DialogChar(wchar_t key) {
  if (!FocusControl || !IsAccelerator(key, caption_)) return false;
  HWND target = FocusControl->Handle();
  if (!target || !IsWindowEnabled(target) || !IsWindowVisible(target)) return true;
  FocusControl->SetFocus();
  // As the dialog manager does: an edit reached so shows its text selected.
  if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageW(target, EM_SETSEL, 0, -1);
  return true;
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
  DrawTextW(dc, Widen(caption_).c_str(), -1, &r, format);
}

}  // namespace tallimo::ui
