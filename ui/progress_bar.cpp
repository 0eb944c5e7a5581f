#include "ui/progress_bar.h"

#include <commctrl.h>

namespace tallimo::ui {

void ProgressBar::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  // Registered by the common controls on request (once is enough; asking again costs nothing).
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  params.className = "msctls_progress32";
  params.style = WS_CHILD | WS_CLIPSIBLINGS;
}

void ProgressBar::AfterCreate() {
  SendMessageW(hwnd_, PBM_SETRANGE32, 0, max_);
  SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void ProgressBar::SetMax(int max) {
  max_ = max;
  if (hwnd_) AfterCreate();
}

void ProgressBar::SetPosition(int position) {
  position_ = position;
  if (hwnd_) SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

}  // namespace tallimo::ui
