#include "catalogue/success_codes.h"

#include <optional>

#include "catalogue/ini_document.h"

namespace tallimo {

namespace {

// A decimal number that fits a 32-bit exit code, signed or unsigned.
std::optional<uint32_t> ReadCode(std::string_view s) {
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty() || s.size() > 10) return std::nullopt;
  uint64_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  if (negative) {
    if (v > 2147483648ull) return std::nullopt;
    return static_cast<uint32_t>(0x100000000ull - v);
  }
  if (v > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<uint32_t>(v);
}

}  // namespace

ExitCodeList ParseSuccessCodes(std::string_view text, std::vector<std::string>* rejected) {
  ExitCodeList codes;
  if (TrimmedIniBlanks(text).empty()) return codes;
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    std::string_view part = TrimmedIniBlanks(
        text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
    if (std::optional<uint32_t> code = ReadCode(part))
      codes.push_back(*code);
    else if (rejected)
      rejected->emplace_back(part);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return codes;
}

std::string SuccessCodesText(const ExitCodeList& codes) {
  std::string text;
  for (uint32_t code : codes) {
    if (!text.empty()) text += ',';
    text += std::to_string(code);
  }
  return text;
}

}  // namespace tallimo
