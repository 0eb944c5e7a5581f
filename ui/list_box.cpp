#include "ui/list_box.h"

#include "platform/wide.h"

namespace tallimo::ui {

ListBox::ListBox() {
  TabStop = true;
  color_ = clWindow;
}

void ListBox::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.className = "LISTBOX";
  params.style =
      WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  params.exStyle |= WS_EX_CLIENTEDGE;
}

void ListBox::AfterCreate() {
  SetItems(std::vector<std::string>(items_));
}

void ListBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  if (!hwnd_) return;
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
  for (const std::string& item : items_)
    SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListBox::SetItem(size_t index, const std::string& text) {
  if (index >= items_.size()) return;
  items_[index] = text;
  if (!hwnd_) return;
  const LRESULT selected = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  SendMessageW(hwnd_, LB_DELETESTRING, index, 0);
  SendMessageW(hwnd_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(Widen(text).c_str()));
  if (selected != LB_ERR) SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

std::string ListBox::ItemText(size_t index) const {
  if (!hwnd_) return index < items_.size() ? items_[index] : std::string();
  const LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(hwnd_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return Narrow(text.data(), got == LB_ERR ? 0 : static_cast<int>(got));
}

}  // namespace tallimo::ui
