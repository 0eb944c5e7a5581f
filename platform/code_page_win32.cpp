// The system's code pages through MultiByteToWideChar and WideCharToMultiByte.
#include "platform/code_page_win32.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "platform/wide.h"

namespace tallimo {

namespace {

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

class Win32CodePage final : public CodePage {
 public:
  explicit Win32CodePage(UINT codePage) : codePage_(codePage) {}

  std::string ToUtf8(std::string_view bytes) const override {
    if (IsAscii(bytes)) return std::string(bytes);
    std::string out;
    // In pieces, so that the int lengths of the API hold; a piece never ends inside a line,
    // where an East Asian lead byte could be cut from its trail byte.
    size_t done = 0;
    while (done < bytes.size()) {
      size_t piece = bytes.size() - done;
      if (piece > (1u << 24)) {
        piece = 1u << 24;
        const size_t lineEnd = bytes.substr(done, piece).find_last_of('\n');
        if (lineEnd != std::string_view::npos) piece = lineEnd + 1;
      }
      const char* from = bytes.data() + done;
      const int units =
          MultiByteToWideChar(codePage_, 0, from, static_cast<int>(piece), nullptr, 0);
      if (units > 0) {
        std::wstring wide(static_cast<size_t>(units), L'\0');
        MultiByteToWideChar(codePage_, 0, from, static_cast<int>(piece), wide.data(), units);
        out += Narrow(wide);
      }
      done += piece;
    }
    return out;
  }

  bool FromUtf8(std::string_view utf8, std::string& bytes, size_t* badAt) const override {
    bytes.clear();
    if (IsAscii(utf8)) {
      bytes.assign(utf8);
      return true;
    }
    const std::wstring wide = Widen(utf8);
    if (Convert(wide, bytes)) return true;
    // Find the first character that did not fit, one character at a time.
    if (badAt) {
      std::string one;
      for (size_t pos = 0; pos < utf8.size();) {
        const size_t at = pos;
        NextCodePoint(utf8, pos);
        if (!Convert(Widen(utf8.substr(at, pos - at)), one)) {
          *badAt = at;
          break;
        }
      }
    }
    return false;
  }

 private:
  // No best-fit letters, and a default character used means a character that does not fit.
  bool Convert(const std::wstring& wide, std::string& out) const {
    out.clear();
    if (wide.empty()) return true;
    const int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                           nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return false;
    out.resize(static_cast<size_t>(length));
    WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), length,
                        nullptr, &usedDefault);
    return !usedDefault;
  }

  UINT codePage_;
};

}  // namespace

const CodePage& SystemCodePage(unsigned codePage) {
  static std::map<unsigned, std::unique_ptr<Win32CodePage>> pages;
  auto& page = pages[codePage];
  if (!page) page = std::make_unique<Win32CodePage>(codePage);
  return *page;
}

}  // namespace tallimo
