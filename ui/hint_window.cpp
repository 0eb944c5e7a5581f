// Tooltip windows that show the hints of windowed controls.
#include "ui/hint_window.h"

#include <commctrl.h>

#include "platform/wide.h"

namespace tallimo::ui {

namespace {
void AddHintTools(HWND tooltip, HWND owner, WinControl& parent) {
  for (Control* c : parent.Children()) {
    if (!c->IsWindowed()) continue;
    auto* w = static_cast<WinControl*>(c);
    if (!w->Hint.empty() && w->HandleAllocated()) {
      TOOLINFOW ti{};
      ti.cbSize = sizeof ti;
      ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      ti.hwnd = owner;
      ti.uId = reinterpret_cast<UINT_PTR>(w->Handle());
      std::wstring hint = Widen(w->Hint);  // the tooltip keeps a copy
      ti.lpszText = hint.data();
      SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    AddHintTools(tooltip, owner, *w);
  }
}
}  // namespace

HWND CreateHintWindow(WinControl& root) {
  if (!root.HandleAllocated()) return nullptr;
  HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 root.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (tooltip) AddHintTools(tooltip, root.Handle(), root);
  return tooltip;
}

}  // namespace tallimo::ui
