#include "ui/list_grid.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/wide.h"
#include "ui/gdi.h"
#include "ui/layout_fit.h"

namespace tallimo::ui {

ListGrid::ListGrid() {
  TabStop = true;
  color_ = clWindow;
}

void ListGrid::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.className = "LISTBOX";
  params.style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                 LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  params.exStyle |= WS_EX_CLIENTEDGE;
}

void ListGrid::AfterCreate() {
  SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, rowHeight_);
  FillList();
}

void ListGrid::FillList() {
  if (!hwnd_) return;
  // Straight to the list box's own procedure, in its wide form through one buffer: thousands of
  // rows through our dispatch and a conversion each cost more than the list box itself.
  const auto list = [this](UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(oldProc_, hwnd_, msg, wParam, lParam);
  };
  list(WM_SETREDRAW, FALSE, 0);
  list(LB_RESETCONTENT, 0, 0);
  size_t bytes = 0;
  for (const auto& text : cells_) bytes += text.size() + 1;
  list(LB_INITSTORAGE, cells_.size(), static_cast<LPARAM>(bytes * sizeof(wchar_t)));
  std::vector<wchar_t> wide;
  for (const auto& text : cells_) {
    const int length = static_cast<int>(text.size());
    wide.resize(text.size() + 1);
    const int made =
        length ? MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), length) : 0;
    wide[static_cast<size_t>(std::max(made, 0))] = L'\0';
    list(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.data()));
  }
  list(LB_SETCURSEL, static_cast<WPARAM>(selection_.Top), 0);
  list(WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListGrid::SetRowCount(int rows) {
  cells_.resize(static_cast<size_t>(std::max(rows, 1)));
  if (selection_.Top >= RowCount()) selection_ = {};
  FillList();
}

void ListGrid::SetRows(const std::vector<std::string>& rows) {
  cells_ = rows;
  if (cells_.empty()) cells_.emplace_back();
  if (selection_.Top >= RowCount()) selection_ = {};
  FillList();
}

std::string ListGrid::Cell(int col, int row) const {
  if (col != 0 || row < 0 || row >= RowCount()) return {};
  return cells_[static_cast<size_t>(row)];
}

void ListGrid::SetCell(int col, int row, const std::string& text) {
  if (col != 0 || row < 0 || row >= RowCount()) return;
  cells_[static_cast<size_t>(row)] = text;
  if (!hwnd_) return;
  // Replaces the row's text, keeping the selection.
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
  SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(Widen(text).c_str()));
  SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(selection_.Top), 0);
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListGrid::SetDefaultRowHeight(int height) {
  rowHeight_ = std::max(height, 1);
  if (hwnd_) {
    SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, rowHeight_);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

void ListGrid::ScaleBy(int num, int den) {
  WinControl::ScaleBy(num, den);
  rowHeight_ = FitDesignSize(rowHeight_, num, den);
  DefaultColWidth = FitDesignSize(DefaultColWidth, num, den);
  if (hwnd_) SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, rowHeight_);
}

void ListGrid::SetSelection(const TGridRect& rect) {
  selection_ = rect;
  if (hwnd_) SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(selection_.Top), 0);
}

RECT ListGrid::CellRect(int row) const {
  RECT r{};
  if (hwnd_)
    SendMessageW(hwnd_, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  r.bottom -= 1;
  return r;
}

void ListGrid::MoveTo(int row) {
  if (row < 0 || row >= RowCount()) return;
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(0, row, canSelect);
  if (canSelect) selection_ = {0, row, 0, row};
  if (hwnd_ && static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)) != selection_.Top)
    SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(selection_.Top), 0);
}

bool ListGrid::CommandNotify(int code) {
  if (code == LBN_SELCHANGE) {
    // Mouse clicks are handled at the button itself; this is the keyboard's move.
    if (!mouseDown_) MoveTo(static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)));
    return true;
  }
  if (code == LBN_DBLCLK) {
    if (OnDblClick) OnDblClick();
    return true;
  }
  return false;
}

LRESULT ListGrid::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN: {
      // Every click on a row selects it (also the selected row again), before the list box
      // tracks the mouse.
      LRESULT hit = SendMessageW(hwnd_, LB_ITEMFROMPOINT, 0, lParam);
      if (HIWORD(hit) == 0) MoveTo(LOWORD(hit));
      if (HIWORD(hit) == 0 && (wParam & MK_CONTROL) && OnCtrlClick) OnCtrlClick(LOWORD(hit));
      mouseDown_ = true;
      LRESULT r = DefaultProc(msg, wParam, lParam);
      if (GetCapture() != hwnd_) mouseDown_ = false;
      return r;
    }
    case WM_LBUTTONUP: {
      LRESULT r = DefaultProc(msg, wParam, lParam);
      if (mouseDown_) {
        mouseDown_ = false;
        // The mouse was dragged to another row while held.
        int row = static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
        if (row != selection_.Top) MoveTo(row);
      }
      return r;
    }
    case WM_CAPTURECHANGED:
      if (mouseDown_ && reinterpret_cast<HWND>(lParam) != hwnd_) mouseDown_ = false;
      break;
    case WM_KEYDOWN:
      if (selection_.Top < 0 && RowCount() > 0 &&
          (wParam == VK_DOWN || wParam == VK_UP || wParam == VK_NEXT || wParam == VK_PRIOR ||
           wParam == VK_HOME)) {
        MoveTo(0);  // the first key on a list without selection selects the first row
        return 0;
      }
      break;
    case WM_CHAR:
      // A UTF-16 unit; the halves of a surrogate pair (no name starts with one) are left out.
      if (OnChar && (wParam < 0xD800 || wParam > 0xDFFF) && OnChar(static_cast<char32_t>(wParam)))
        return 0;
      break;
    case WM_RBUTTONDOWN:
      // The popup menu does not move the selection.
      SetFocus();
      return 0;
    case WM_DROPFILES:
      if (!OnDropFiles) break;
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
  }
  return WinControl::WndProc(msg, wParam, lParam);
}

bool ListGrid::DrawItem(DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT full = item.rcItem;
  int row = static_cast<int>(item.itemID);
  bool selected = (item.itemState & ODS_SELECTED) != 0 && row >= 0 && row == selection_.Top;
  COLORREF back = selected ? GetSysColor(COLOR_HIGHLIGHT) : ColorToRGB(color_);
  COLORREF fore = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ColorToRGB(Font().color);
  const OwnedBrush brush(CreateSolidBrush(back));
  FillRect(dc, &full, brush.Get());
  if (row < 0) return true;
  int saved = SaveDC(dc);
  SelectObject(dc, FontHandle());
  SetTextColor(dc, fore);
  SetBkColor(dc, back);
  SetBkMode(dc, OPAQUE);
  RECT cell = full;
  cell.bottom -= 1;  // the row's last pixel row lies below the cell
  std::string text = Cell(0, row);
  RECT textRect = cell;
  textRect.left += 2;
  textRect.top += 2;
  DrawTextW(dc, Widen(text).c_str(), -1, &textRect, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
  if (OnDrawCell) {
    TGridDrawState state;
    state.selected = selected;
    state.focused = (item.itemState & ODS_FOCUS) != 0;
    OnDrawCell(dc, 0, row, cell, state);
  }
  RestoreDC(dc, saved);
  return true;
}

}  // namespace tallimo::ui
