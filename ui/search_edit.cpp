#include "ui/search_edit.h"

#include "platform/wide.h"
#include "ui/gdi.h"

namespace tallimo::ui {

namespace {
bool IsOwnersKey(WPARAM key) {
  return key == VK_RETURN || key == VK_ESCAPE || key == VK_DOWN;
}
}  // namespace

bool SearchEdit::CommandNotify(int code) {
  if (code != EN_CHANGE) return false;
  InvalidateRect(hwnd_, nullptr, TRUE);  // the cue comes or goes
  if (OnChange) OnChange();
  return true;
}

LRESULT SearchEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETDLGCODE:
      // Enter and Escape come to the box, not to the dialog manager's buttons.
      if (wParam == VK_RETURN || wParam == VK_ESCAPE)
        return DefaultProc(msg, wParam, lParam) | DLGC_WANTALLKEYS;
      break;
    case WM_KEYDOWN:
      if (IsOwnersKey(wParam) && OnKey && OnKey(static_cast<int>(wParam))) return 0;
      break;
    case WM_CHAR:
      if (wParam == '\r' || wParam == 27) return 0;  // no beep for the keys handed on
      break;
    case WM_PAINT: {
      const LRESULT result = WinControl::WndProc(msg, wParam, lParam);
      PaintCue();
      return result;
    }
  }
  return Edit::WndProc(msg, wParam, lParam);
}

void SearchEdit::PaintCue() {
  if (Cue.empty() || GetWindowTextLengthW(hwnd_) > 0) return;
  WindowDC dc(hwnd_);
  if (!dc) return;
  SavedDC saved(dc.Get());
  RECT area{};
  SendMessageW(hwnd_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
  SelectObject(dc.Get(), FontHandle());
  SetTextColor(dc.Get(), GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc.Get(), TRANSPARENT);
  const std::wstring cue = Widen(Cue);
  DrawTextW(dc.Get(), cue.c_str(), static_cast<int>(cue.size()), &area,
            DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
}

}  // namespace tallimo::ui
