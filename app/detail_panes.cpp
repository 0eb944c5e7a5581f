#include "app/detail_panes.h"

namespace tallimo {
namespace {

// An empty line, then each line behind two blanks, or `none` when there are no lines.
StringList PaneLines(const StringList& lines, const char* none) {
  StringList pane;
  pane.reserve(lines.size() + 1);
  pane.emplace_back();
  if (lines.empty()) pane.emplace_back(none);
  for (const std::string& line : lines) pane.push_back("  " + line);
  return pane;
}

}  // namespace

TProgramDetails ProgramDetails(const TProgramList& list, int index) {
  TProgramDetails details;
  if (index < 0) {
    details.InfoLines = {"", " Select a Program."};
    details.SpecsLines = {"", " None Available."};
    return details;
  }
  const TTallimoProg& entry = *list.at(static_cast<std::size_t>(index));
  details.NfoEnabled = !entry.NfoPath.empty();
  details.SerialEnabled = !entry.SerialLines.empty();
  details.InfoLines = PaneLines(entry.InfoLines, "  None Available.");
  details.SpecsLines = PaneLines(entry.SpecsLines, "  None Listed.");
  return details;
}

void AddStandingLines(TProgramDetails& details, const StringList& lines) {
  if (lines.empty()) return;
  details.InfoLines.front() = lines.front();
  details.InfoLines.insert(details.InfoLines.begin() + 1, lines.begin() + 1, lines.end());
}

std::string MemoText(const StringList& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace tallimo
