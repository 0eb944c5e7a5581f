#include "ui/check_box.h"

namespace tallimo::ui {

CheckBox::CheckBox() {
  TabStop = true;
}

void CheckBox::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.className = "BUTTON";
  params.style = WS_CHILD | WS_CLIPSIBLINGS | BS_AUTOCHECKBOX;
}

void CheckBox::AfterCreate() {
  SendMessageW(hwnd_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBox::Checked() const {
  if (hwnd_) checked_ = SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return checked_;
}

void CheckBox::SetChecked(bool checked) {
  checked_ = checked;
  if (hwnd_) AfterCreate();
}

bool CheckBox::DialogChar(wchar_t key) {
  if (!hwnd_ || !IsAccelerator(key, Caption())) return false;
  SetFocus();
  SendMessageW(hwnd_, BM_CLICK, 0, 0);
  return true;
}

HBRUSH CheckBox::ControlColor(HDC dc) {
  // The parent paints its background and its graphic controls under the box first; the
  // button then fills with the hollow brush, which leaves them.
  if (parent_ && parent_->Handle()) {
    POINT origin;
    OffsetViewportOrgEx(dc, -Left(), -Top(), &origin);
    SendMessageW(parent_->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font().color));
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

}  // namespace tallimo::ui
