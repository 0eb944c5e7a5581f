#include "ui/combo_box.h"

#include "platform/wide.h"

namespace tallimo::ui {

ComboBox::ComboBox() {
  TabStop = true;
  color_ = clWindow;
}

void ComboBox::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.className = "COMBOBOX";
  // The window's height is the edit's and the drop-down list's together.
  params.style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
}

void ComboBox::AfterCreate() {
  FillList();
}

void ComboBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  FillList();
}

void ComboBox::FillList() {
  if (!hwnd_) return;
  const std::string text = Text();
  SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items_)
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  SetWindowTextW(hwnd_, Widen(text.empty() ? caption_ : text).c_str());
}

}  // namespace tallimo::ui
