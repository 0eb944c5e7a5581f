// The floor for Tallimo's start-up (tests/e2e builds it beside the start-up benchmark): a
// program that makes the same kinds of windows as the main window and nothing else: a menu bar,
// panels, an owner-drawn list box, two read-only memos with scroll bars and five buttons, with
// the common-controls manifest (floor_window.rc). Closed by WM_CLOSE like any window.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_WINDOW));
      return TRUE;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND Child(const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int width,
           int height, HWND parent, DWORD exStyle = 0) {
  return CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                         height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"TallimoFloorWindow";
  if (!RegisterClassW(&wc)) return 1;
  HMENU menu = CreateMenu();
  HMENU config = CreatePopupMenu();
  AppendMenuW(config, MF_STRING, 1, L"E&xit");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(config), L"&Config");
  HWND main = CreateWindowW(wc.lpszClassName, L"Floor window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, 640, 480, nullptr, menu, instance, nullptr);
  if (!main) return 1;
  // The upper panel with the list, the two pane panels with their memos, the button bar.
  HWND list = Child(wc.lpszClassName, L"", WS_CLIPCHILDREN, 0, 0, 630, 270, main);
  HWND box =
      Child(L"LISTBOX", L"",
            WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0,
            40, 630, 230, list, WS_EX_CLIENTEDGE);
  SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Program"));
  for (int pane = 0; pane < 2; ++pane) {
    HWND panel = Child(wc.lpszClassName, L"", WS_CLIPCHILDREN, pane * 315, 270, 315, 120, main);
    Child(L"EDIT", L"\r\n Select a Program.",
          WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, 0, 20, 315, 100, panel);
  }
  HWND buttons = Child(wc.lpszClassName, L"", WS_CLIPCHILDREN, 0, 390, 630, 50, main);
  for (int b = 0; b < 5; ++b)
    Child(L"BUTTON", L"Button", WS_TABSTOP | BS_PUSHBUTTON, 10 + b * 110, 10, 100, 30, buttons);
  ShowWindow(main, show);
  UpdateWindow(main);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
