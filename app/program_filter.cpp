#include "app/program_filter.h"

#include <algorithm>

#include "platform/locale.h"

namespace tallimo {

std::vector<std::string> FilterWords(std::string_view text) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < text.size()) {
    const size_t start = text.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    const size_t end = std::min(text.find_first_of(" \t", start), text.size());
    words.push_back(FoldText(text.substr(start, end - start)));
    at = end;
  }
  return words;
}

std::string FilterHaystack(const TTallimoProg& entry) {
  std::string text = entry.Name;
  for (const StringList* lines : {&entry.InfoLines, &entry.SpecsLines})
    for (const std::string& line : *lines) {
      text += '\n';
      text += line;
    }
  return FoldText(text);
}

bool HaystackMatches(std::string_view haystack, const std::vector<std::string>& words) {
  for (const std::string& word : words)
    if (word.size() > haystack.size() || haystack.find(word) == std::string_view::npos)
      return false;
  return true;
}

void ProgramFilter::Build(const std::vector<const TTallimoProg*>& entries) {
  entries_ = entries;
  rows_.clear();
  haystacks_.clear();
  rows_.reserve(entries.size());
  haystacks_.reserve(entries.size());
  for (const TTallimoProg* entry : entries) {
    rows_.push_back(entry->Name);
    haystacks_.push_back(FilterHaystack(*entry));
  }
}

std::vector<size_t> ProgramFilter::Matching(std::string_view text) const {
  const std::vector<std::string> words = FilterWords(text);
  std::vector<size_t> shown;
  for (size_t i = 0; i < rows_.size(); ++i)
    if (HaystackMatches(haystacks_[i], words)) shown.push_back(i);
  return shown;
}

std::string FilterCountText(int shown, int total, int marked, int markedHidden) {
  std::string text = std::to_string(shown) + " of " + std::to_string(total) + " programs";
  if (marked > 0) text += ", " + std::to_string(marked) + " marked";
  if (markedHidden > 0) text += ", " + std::to_string(markedHidden) + " of them hidden";
  return text;
}

StringList NoMatchInfoLines(const std::string& text) {
  // A pasted page of text is cut short: the pane would wrap it line after line.
  constexpr size_t kShown = 100;
  std::string shown = text;
  if (shown.size() > kShown) {
    size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) --cut;
    shown = shown.substr(0, cut) + "...";
  }
  return {"", " No program matches \"" + shown + "\""};
}

}  // namespace tallimo
