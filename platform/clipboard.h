#pragma once
// The clipboard seam: plain 8-bit text put on the system's clipboard.
#include <string>

namespace tallimo {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard's content with `text` in the plain-text format (8-bit text with its
  // terminating zero). Throws TallimoError when the clipboard cannot be had.
  virtual void SetText(const std::string& text) = 0;
};

// The system's clipboard (Windows only).
Clipboard& HostClipboard();

}  // namespace tallimo
