#include "ui/status_bar.h"

#include <commctrl.h>

#include "platform/wide.h"

namespace tallimo::ui {

StatusBar::StatusBar() {
  align_ = TAlign::alBottom;
  bounds_.height = 19;
  texts_.resize(1);
}

void StatusBar::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.className = "msctls_statusbar32";
  params.style = WS_CHILD | WS_CLIPSIBLINGS | CCS_NORESIZE | CCS_NOPARENTALIGN;
  // A size grip only where the window can be sized.
  WinControl* top = TopLevel();
  if (top->HandleAllocated() && (GetWindowLongW(top->Handle(), GWL_STYLE) & WS_THICKFRAME))
    params.style |= SBARS_SIZEGRIP;
}

void StatusBar::AfterCreate() {
  ApplyParts();
}

void StatusBar::BoundsChanged(const TBounds& old) {
  WinControl::BoundsChanged(old);
  ApplyParts();
}

void StatusBar::SetPanels(const std::vector<int>& widths) {
  widths_ = widths;
  texts_.resize(widths.size() + 1);
  ApplyParts();
}

void StatusBar::ApplyParts() {
  if (!hwnd_) return;
  std::vector<int> edges;
  int x = 0;
  for (int w : widths_) edges.push_back(x += w);
  edges.push_back(-1);
  SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (size_t i = 0; i < texts_.size(); ++i)
    SendMessageW(hwnd_, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(Widen(texts_[i]).c_str()));
}

void StatusBar::SetPanelText(int panel, const std::string& text) {
  if (panel < 0) return;
  if (static_cast<size_t>(panel) >= texts_.size()) texts_.resize(static_cast<size_t>(panel) + 1);
  texts_[static_cast<size_t>(panel)] = text;
  if (hwnd_)
    SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::string StatusBar::PanelText(int panel) const {
  if (panel < 0 || static_cast<size_t>(panel) >= texts_.size()) return {};
  return texts_[static_cast<size_t>(panel)];
}

}  // namespace tallimo::ui
