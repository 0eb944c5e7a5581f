#pragma once
// Hint windows: the tooltips that show controls' hints.
#include <windows.h>

#include "ui/win_control.h"

namespace tallimo::ui {

// A tooltip window owned by `root`'s window that shows the Hint of every windowed control inside
// it (at any depth) while the mouse rests on that control. nullptr when `root` has no window.
HWND CreateHintWindow(WinControl& root);

}  // namespace tallimo::ui
