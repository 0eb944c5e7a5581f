#pragma once
// The list grid: a one-column grid of text rows (an owner-drawn list box), with a selection
// rectangle that is all -1 when no cell is selected, a cell-select callback asked before the
// selection moves, and a draw-cell callback called after the grid has drawn a cell.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/win_control.h"

namespace tallimo::ui {

struct TGridRect {
  int Left = -1, Top = -1, Right = -1, Bottom = -1;
};

struct TGridDrawState {
  bool selected = false, focused = false, fixed = false;
};

class ListGrid : public WinControl {
 public:
  ListGrid();
  int RowCount() const { return static_cast<int>(cells_.size()); }
  // Never fewer than one row.
  void SetRowCount(int rows);
  std::string Cell(int col, int row) const;
  void SetCell(int col, int row, const std::string& text);
  const std::vector<std::string>& Rows() const { return cells_; }
  // Replaces all rows at once (at least one row).
  void SetRows(const std::vector<std::string>& rows);
  int DefaultRowHeight() const { return rowHeight_; }
  void SetDefaultRowHeight(int height);
  int DefaultColWidth = 64;

  TGridRect Selection() const { return selection_; }
  void SetSelection(const TGridRect& rect);
  // Selects a row as a click on it does (OnSelectCell asked first), scrolled into view.
  void SelectRow(int row) { MoveTo(row); }
  // The row of the selection (its top), -1 when none.
  int Row() const { return selection_.Top; }

  // Asked before the selection moves to (col, row); clearing canSelect keeps it where it was.
  std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
  // After the grid has drawn the cell: the handler draws over it.
  std::function<void(HDC dc, int col, int row, const RECT& rect, TGridDrawState state)> OnDrawCell;
  std::function<void()> OnDblClick;
  // An ASCII character typed in the grid, before the list box sees it; true when it was used.
  std::function<bool(char32_t c)> OnChar;
  // A click with Ctrl held on a row, after the click selected it.
  std::function<void(int row)> OnCtrlClick;
  // Files dropped on the grid (WM_DROPFILES, once DragAcceptFiles took them); the handler
  // gives the drop back (DragFinish).
  std::function<void(HDROP drop)> OnDropFiles;

  void ScaleBy(int num, int den) override;
  // The rectangle of a row's cell in client coordinates (the row's last pixel row is below it).
  RECT CellRect(int row) const;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void AfterCreate() override;
  bool CommandNotify(int code) override;
  bool DrawItem(DRAWITEMSTRUCT& item) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void FillList();
  void MoveTo(int row);
  std::vector<std::string> cells_{""};
  int rowHeight_ = 24;
  TGridRect selection_;
  bool mouseDown_ = false;
};

}  // namespace tallimo::ui
