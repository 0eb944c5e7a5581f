#pragma once
// Text conversions in one place. Text inside the program is UTF-8; files and the command prompt
// may hold UTF-16 or the system's 8-bit code pages. UTF-8 is validated and decoded here rather
// than by the system, whose decoder is laxer on older Windows than on newer.
#include <cstddef>
#include <string>
#include <string_view>

namespace tallimo {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// True when `bytes` is well-formed UTF-8: shortest forms only, no surrogates, nothing above
// U+10FFFF. `multiByte` (when given) tells whether a sequence of two bytes or more was seen.
bool IsValidUtf8(std::string_view bytes, bool* multiByte = nullptr);

// The character at `pos` of UTF-8 text, moving `pos` past it. A byte that starts no
// well-formed sequence gives U+FFFD and moves one byte on.
char32_t NextCodePoint(std::string_view utf8, size_t& pos);
void AppendUtf8(std::string& out, char32_t c);

// UTF-16 units in UTF-8; a lone surrogate becomes U+FFFD and counts in `replaced`.
std::string Utf8FromUtf16(std::u16string_view utf16, size_t* replaced = nullptr);
std::u16string Utf16FromUtf8(std::string_view utf8);
// The UTF-16 units that the text takes (what other programs count as its length).
size_t Utf16Length(std::string_view utf8);

// An 8-bit code page (one byte a character, or the lead and trail bytes of an East Asian one).
class CodePage {
 public:
  virtual ~CodePage() = default;
  // The code page's bytes as UTF-8.
  virtual std::string ToUtf8(std::string_view bytes) const = 0;
  // UTF-8 text in the code page. False when a character has no byte of its own there: nothing
  // is written as "?" or as a look-alike; `badAt` (when given) is then the offset in `utf8` of
  // the first such character and `bytes` is unspecified.
  virtual bool FromUtf8(std::string_view utf8, std::string& bytes,
                        size_t* badAt = nullptr) const = 0;
};

// The tables of the portable build, as Windows has them: Windows-1252 (whose five unassigned
// bytes stand for the control characters of their numbers) and 437, the console's code page of
// a US system (bytes below 0x80 are ASCII).
const CodePage& Windows1252();
const CodePage& CodePage437();
// UTF-8 itself, where the system's code page is 65001: every character fits.
const CodePage& Utf8CodePage();

// The UTF-8 sequence of the character at `pos` (for messages that name it).
std::string CharacterAt(std::string_view utf8, size_t pos);

}  // namespace tallimo
