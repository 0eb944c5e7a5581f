// The clipboard seam on Windows: CF_TEXT, owned by a message-only window of its own.
#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"
#include "platform/error.h"

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
      HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
      if (void* p = memory ? GlobalLock(memory) : nullptr) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        ok = SetClipboardData(CF_TEXT, memory) != nullptr;  // the clipboard owns it from here
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
      owner_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
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
