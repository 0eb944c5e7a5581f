#include "platform/message_window_win32.h"

namespace tallimo {

HWND MakeMessageWindow(const wchar_t* className, WNDPROC proc, void* self) {
  WNDCLASSW wc;
  ZeroMemory(&wc, sizeof wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = className;
  RegisterClassW(&wc);  // fails harmlessly when registered already
  HWND window = CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  return window;
}

void PumpMessagesUntil(const std::function<bool()>& done, DWORD pollMilliseconds,
                       const std::function<void()>& onPoll) {
  while (!done()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, pollMilliseconds, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (onPoll) onPoll();
  }
}

}  // namespace tallimo
