// The clipboard seam against the real clipboard: what is put on it is read back as Unicode
// text, character for character, with carriage returns and characters of any script; the
// system derives the 8-bit form for programs that ask for that.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/clipboard.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

std::string ClipboardText(UINT format) {
  std::string text = "<none>";
  if (!OpenClipboard(nullptr)) return "<busy>";
  if (HANDLE data = GetClipboardData(format)) {
    if (const void* p = GlobalLock(data)) {
      text = format == CF_UNICODETEXT ? Narrow(static_cast<const wchar_t*>(p))
                                      : std::string(static_cast<const char*>(p));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

TEST(ClipboardWin32, PutsUnicodeTextOnTheSystemClipboard) {
  for (const std::string text :
       {"abc\rdef", "", "Key: \xC3\xA9t\xC3\xA9\r\r-1234",
        "\xCE\x9A\xCE\xBB\xCE\xB5\xCE\xB9\xCE\xB4\xCE\xAF \xD0\x9A\xD0\xBB\xD1\x8E\xD1\x87 "
        "\xE3\x82\xAD\xE3\x83\xBC \xF0\x9F\x94\x91"}) {  // Greek, Cyrillic, Japanese, U+1F511
    HostClipboard().SetText(text);
    EXPECT_EQ(ClipboardText(CF_UNICODETEXT), text);
  }
}

TEST(ClipboardWin32, TheSystemDerivesTheAnsiForm) {
  HostClipboard().SetText("Key: \xC3\xA9t\xC3\xA9\r-1234");  // "é" is in every Western ANSI page
  EXPECT_EQ(ClipboardText(CF_TEXT), "Key: \xE9t\xE9\r-1234");
}

}  // namespace
}  // namespace tallimo
