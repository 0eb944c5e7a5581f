#pragma once
// Line breaks in the text of edit controls: a lone CR, a lone LF and CR LF are each one break.
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::ui {

// The text with every line break made CR LF, as a multi-line edit shows and keeps it.
std::string CrLfLineBreaks(std::string_view text);

// The lines of a text whose breaks may be of any kind: what follows the last break is a line
// when it is not empty.
std::vector<std::string> SplitLines(std::string_view text);

// The text with each line break made one space, for a one-line field.
std::string LineBreaksAsSpaces(std::string_view text);

}  // namespace tallimo::ui
