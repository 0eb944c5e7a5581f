#include "ui/button.h"

#include "platform/wide.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/picture.h"

namespace tallimo::ui {

Button::Button() {
  TabStop = true;
}

void Button::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.className = "BUTTON";
  params.style = WS_CHILD | WS_CLIPSIBLINGS | (Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  if (disabledGlyph_)
    params.style = WS_CHILD | WS_CLIPSIBLINGS | BS_OWNERDRAW;
  else if (glyph_ && caption_.empty())
    params.style |= BS_BITMAP;
}

void Button::AfterCreate() {
  if (glyph_ && !disabledGlyph_)
    SendMessageW(hwnd_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glyph_.Get()));
}

void Button::SetGlyph(OwnedBitmap bitmap, OwnedBitmap disabled) {
  glyph_ = std::move(bitmap);
  // A disabled picture alone is not kept.
  disabledGlyph_ = glyph_ ? std::move(disabled) : OwnedBitmap();
  if (hwnd_) {
    CreateParams params;
    FillCreateParams(params);  // the push-button kind: drawn by us with a disabled picture
    SendMessageW(hwnd_, BM_SETSTYLE, params.style & BS_TYPEMASK, TRUE);
    AfterCreate();
    Invalidate();
  }
}

void Button::Click() {
  if (!enabled_) return;
  if (ModalResult != TModalResult::mrNone) {
    if (auto* form = dynamic_cast<Form*>(TopLevel())) form->ModalResult = ModalResult;
  }
  if (OnClick) OnClick();
}

bool Button::CommandNotify(int code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

bool Button::DrawItem(DRAWITEMSTRUCT& item) {
  if (!disabledGlyph_) return false;
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  const bool focused = (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT);
  // The button that Enter presses wears a dark outline, as a default push button does.
  if (Default || focused) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

  SelectIn font(dc, FontHandle());
  const std::wstring caption = Widen(caption_);
  RECT textSize{0, 0, 0, 0};
  if (!caption.empty()) DrawTextW(dc, caption.c_str(), -1, &textSize, DT_SINGLELINE | DT_CALCRECT);
  BITMAP bm{};
  HBITMAP picture = disabled ? disabledGlyph_.Get() : glyph_.Get();
  GetObjectW(picture, sizeof bm, &bm);
  const int spacing = caption.empty() ? 0 : 4;
  const int blockWidth = bm.bmWidth + spacing + textSize.right;
  const int shift = pressed ? 1 : 0;
  int x = (r.left + r.right - blockWidth) / 2 + shift;
  const int midY = (r.top + r.bottom) / 2 + shift;

  MemoryDC memory(dc);
  {
    SelectIn selected(memory.Get(), picture);
    BitBlt(dc, x, midY - bm.bmHeight / 2, bm.bmWidth, bm.bmHeight, memory.Get(), 0, 0, SRCCOPY);
  }
  x += bm.bmWidth + spacing;
  if (!caption.empty()) {
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT text{x, midY - textSize.bottom / 2, x + textSize.right,
              midY - textSize.bottom / 2 + textSize.bottom};
    if (disabled) {  // engraved, as the system draws a disabled caption
      RECT light = text;
      OffsetRect(&light, 1, 1);
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawTextW(dc, caption.c_str(), -1, &light, DT_SINGLELINE);
      SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
    SetBkMode(dc, oldMode);
  }
  if (focused) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
  return true;
}

void PlaceButtons(WinControl& parent, std::initializer_list<ButtonDesign> designs) {
  for (const ButtonDesign& d : designs) {
    d.button.Name = d.name;
    d.button.SetParent(&parent);
    d.button.SetCaption(d.caption);
    d.button.SetBounds(d.left, d.top, d.width, d.height);
    d.button.Hint = d.hint;
    if (!d.picture) continue;
    d.button.SetGlyph(LoadBitmapResource(d.picture, LR_LOADMAP3DCOLORS),
                      d.disabledPicture ? LoadBitmapResource(d.disabledPicture, LR_LOADMAP3DCOLORS)
                                        : OwnedBitmap());
  }
}

}  // namespace tallimo::ui
