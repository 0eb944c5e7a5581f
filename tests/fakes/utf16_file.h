#pragma once
// Text as a file saved as "Unicode": UTF-16 with its byte-order mark, either way round.
#include <string>
#include <string_view>

namespace tallimo::testing {

inline std::string Utf16File(std::u16string_view text, bool bigEndian = false) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t c : text) {
    const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
    bytes += bigEndian ? hi : lo;
    bytes += bigEndian ? lo : hi;
  }
  return bytes;
}

}  // namespace tallimo::testing
