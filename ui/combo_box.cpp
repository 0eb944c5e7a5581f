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
  params.style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL |
                 (ListOnly ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL);
}

void ComboBox::AfterCreate() {
  FillList();
}

void ComboBox::SetItems(const std::vector<std::string>& items) {
  if (ListOnly) ItemIndex();  // the pick made in the window stays
  items_ = items;
  FillList();
}

void ComboBox::FillList() {
  if (!hwnd_) return;
  const std::string text = Text();
  SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items_)
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  if (ListOnly)
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
  else
    SetWindowTextW(hwnd_, Widen(text.empty() ? caption_ : text).c_str());
}

int ComboBox::ItemIndex() const {
  if (hwnd_) selected_ = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
  return selected_;
}

void ComboBox::SetItemIndex(int index) {
  selected_ = index >= 0 && static_cast<size_t>(index) < items_.size() ? index : -1;
  if (hwnd_) SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

}  // namespace tallimo::ui
