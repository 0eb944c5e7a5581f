#include "ui/page_control.h"

#include <commctrl.h>

#include "platform/wide.h"

namespace tallimo::ui {

TabSheet::TabSheet() {
  align_ = TAlign::alClient;
}

PageControl* TabSheet::PageControlOf() const {
  return dynamic_cast<PageControl*>(parent_);
}

void TabSheet::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  // Tab moves into the page's controls.
  params.exStyle |= WS_EX_CONTROLPARENT;
}

PageControl::PageControl() {
  TabStop = true;
}

void PageControl::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.className = "SysTabControl32";
  params.style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TCS_TABS;
  params.exStyle |= WS_EX_CONTROLPARENT;
}

std::vector<TabSheet*> PageControl::Pages() const {
  std::vector<TabSheet*> pages;
  for (Control* c : children_)
    if (auto* page = dynamic_cast<TabSheet*>(c)) pages.push_back(page);
  return pages;
}

TabSheet* PageControl::ActivePage() const {
  std::vector<TabSheet*> pages = Pages();
  if (active_ < 0 || static_cast<size_t>(active_) >= pages.size()) return nullptr;
  return pages[static_cast<size_t>(active_)];
}

void PageControl::AfterCreate() {
  // The tabs, before the pages' windows are made.
  std::vector<TabSheet*> pages = Pages();
  for (size_t i = 0; i < pages.size(); ++i) {
    std::wstring text = Widen(pages[i]->Caption());
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(hwnd_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(active_), 0);
  for (size_t i = 0; i < pages.size(); ++i) pages[i]->SetVisible(static_cast<int>(i) == active_);
}

RECT PageControl::AlignArea() const {
  RECT r = WinControl::AlignArea();
  if (hwnd_) SendMessageW(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

void PageControl::SetActivePage(int index) {
  active_ = index;
  if (hwnd_) SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  ShowActivePage();
}

void PageControl::ShowActivePage() {
  std::vector<TabSheet*> pages = Pages();
  // The new page first, so that the area never shows an empty page.
  if (TabSheet* page = ActivePage()) page->SetVisible(true);
  for (size_t i = 0; i < pages.size(); ++i)
    if (static_cast<int>(i) != active_) pages[i]->SetVisible(false);
}

bool PageControl::Notify(NMHDR& header, LRESULT& result) {
  if (header.code != static_cast<UINT>(TCN_SELCHANGE)) return false;
  active_ = static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0));
  ShowActivePage();
  result = 0;
  return true;
}

bool PageControl::DialogChar(wchar_t key) {
  std::vector<TabSheet*> pages = Pages();
  for (size_t i = 0; i < pages.size(); ++i) {
    if (!IsAccelerator(key, pages[i]->Caption())) continue;
    SetActivePage(static_cast<int>(i));
    // The page's first control that takes the keys gets the focus.
    for (Control* c : pages[i]->Children()) {
      if (!c->IsWindowed() || !static_cast<WinControl*>(c)->TabStop) continue;
      static_cast<WinControl*>(c)->SetFocus();
      break;
    }
    return true;
  }
  return false;
}

}  // namespace tallimo::ui
