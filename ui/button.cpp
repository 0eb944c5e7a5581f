#include "ui/button.h"

#include "ui/form.h"

namespace tallimo::ui {

Button::Button() {
  TabStop = true;
}

Button::~Button() {
  if (glyph_) DeleteObject(glyph_);
}

void Button::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.className = "BUTTON";
  params.style = WS_CHILD | WS_CLIPSIBLINGS | (Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  if (glyph_ && caption_.empty()) params.style |= BS_BITMAP;
}

void Button::AfterCreate() {
  if (glyph_) SendMessageA(hwnd_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glyph_));
}

void Button::SetGlyph(HBITMAP bitmap) {
  if (glyph_) DeleteObject(glyph_);
  glyph_ = bitmap;
  if (hwnd_) AfterCreate();
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

}  // namespace tallimo::ui
