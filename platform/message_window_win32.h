#pragma once
// A message-only window of the calling thread, for a seam that hears of events (a process that
// ended, a timer) through the thread's message loop.
#include <windows.h>

#include <functional>

namespace tallimo {

// Registers `className` with `proc` (once) and makes a message-only window of it whose user
// data is `self`; null when the system refused.
HWND MakeMessageWindow(const wchar_t* className, WNDPROC proc, void* self);

// The message loop of a windowless run (unattended, the elevated copy): dispatches the thread's
// messages until `done`, calling `onPoll` (when given) at least every `pollMilliseconds`.
void PumpMessagesUntil(const std::function<bool()>& done, DWORD pollMilliseconds,
                       const std::function<void()>& onPoll = {});

}  // namespace tallimo
