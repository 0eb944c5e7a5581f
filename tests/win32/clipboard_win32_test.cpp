// The clipboard seam against the real clipboard: what is put on it is read back as plain text,
// byte for byte, with carriage returns and high bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/clipboard.h"

namespace tallimo {
namespace {

std::string ClipboardText() {
  std::string text = "<none>";
  if (!OpenClipboard(nullptr)) return "<busy>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

TEST(ClipboardWin32, PutsPlainTextOnTheSystemClipboard) {
  for (const std::string text : {"abc\rdef", "", "Key: \xE9t\xE9\r\r-1234"}) {
    HostClipboard().SetText(text);
    EXPECT_EQ(ClipboardText(), text);
  }
}

}  // namespace
}  // namespace tallimo
