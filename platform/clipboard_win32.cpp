// The clipboard seam on Windows: CF_UNICODETEXT (the system derives the 8-bit forms), owned
// by a message-only window of its own.
#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"
#include "platform/error.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

class Win32Clipboard final : public Clipboard {
 public:
  void SetText(const std::string& text) override {
    // Another program may hold the clipboard for a moment.
    bool open = false;
    for (int attempt = 0; attempt < 10 && !(open = OpenClipboard(Owner())); ++attempt) Sleep(20);
    if (!open) throw TallimoError("Cannot open the clipboard");
    bool ok = false;
    if (EmptyClipboard()) {
      const std::wstring wide = Widen(text);
      const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
      HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
      if (void* p = memory ? GlobalLock(memory) : nullptr) {
        std::memcpy(p, wide.c_str(), bytes);
        GlobalUnlock(memory);
        ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;  // the clipboard owns it now
      }
      if (memory && !ok) GlobalFree(memory);
    }
    CloseClipboard();
    if (!ok) throw TallimoError("Cannot put the text on the clipboard");
  }

 private:
  // Emptying the clipboard makes the opener its owner; without a window it could not be set.
  HWND Owner() {
    if (!owner_)
      owner_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    return owner_;
  }
  HWND owner_ = nullptr;
};

}  // namespace

Clipboard& HostClipboard() {
  static Win32Clipboard clipboard;
  return clipboard;
}

}  // namespace tallimo
