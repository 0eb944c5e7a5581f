#include "ui/line_breaks.h"

namespace tallimo::ui {

namespace {

// Calls `text(piece)` for each run between breaks and `lineBreak()` for each break.
template <typename Text, typename Break>
void ForEachBreak(std::string_view text, Text onText, Break onBreak) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    onText(text.substr(start, i - start));
    onBreak();
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  onText(text.substr(start));
}

}  // namespace

std::string CrLfLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachBreak(
      text, [&](std::string_view piece) { out += piece; }, [&] { out += "\r\n"; });
  return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string current;
  bool pending = false;  // a run that may still be the last line
  ForEachBreak(
      text,
      [&](std::string_view piece) {
        current = piece;
        pending = true;
      },
      [&] {
        lines.push_back(current);
        pending = false;
      });
  if (pending && !current.empty()) lines.push_back(current);
  return lines;
}

std::string LineBreaksAsSpaces(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachBreak(
      text, [&](std::string_view piece) { out += piece; }, [&] { out += ' '; });
  return out;
}

}  // namespace tallimo::ui
