#pragma once
// The SuccessCodes key of a program entry: the exit codes, besides 0, that its installer gives
// when it worked. Written as decimal numbers separated by commas ("1,2"); blanks around a number
// are allowed, and a negative number stands for the same 32-bit code as the installer's exit
// code read as unsigned ("-1" is 4294967295).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

using ExitCodeList = std::vector<uint32_t>;

// The numbers of `text` in their order. Parts that are not a number (and empty parts between
// commas) are skipped and collected, without blanks at either end, in `rejected` when given.
ExitCodeList ParseSuccessCodes(std::string_view text, std::vector<std::string>* rejected = nullptr);

// The key's value for `codes`: "1,2"; empty for none.
std::string SuccessCodesText(const ExitCodeList& codes);

}  // namespace tallimo
