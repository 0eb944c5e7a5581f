#include "app/program_filter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "platform/locale.h"

namespace tallimo {

namespace {

// The distinct words of `text`, at most `limit` of them; `more` tells whether words were left.
std::vector<std::string> DistinctWords(std::string_view text, size_t limit, bool& more) {
  std::vector<std::string> words;
  more = false;
  size_t at = 0;
  while (at < text.size()) {
    const size_t start = text.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    const size_t end = std::min(text.find_first_of(" \t", start), text.size());
    std::string word = FoldText(text.substr(start, end - start));
    at = end;
    if (std::find(words.begin(), words.end(), word) != words.end()) continue;
    if (words.size() == limit) {
      more = true;
      break;
    }
    words.push_back(std::move(word));
  }
  return words;
}

// True when every row holding all of `words` holds all of `before`: each word before is part of
// one now.
bool Narrows(const std::vector<std::string>& words, const std::vector<std::string>& before) {
  return !before.empty() && std::all_of(before.begin(), before.end(), [&](const std::string& b) {
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& w) { return w.find(b) != std::string::npos; });
  });
}

// `words` without those that are part of another: a row holding the other holds them too.
std::vector<std::string> Essential(std::vector<std::string> words) {
  std::vector<std::string> kept;
  for (size_t i = 0; i < words.size(); ++i) {
    bool part = false;
    for (size_t j = 0; j < words.size() && !part; ++j)
      part = j != i && words[j].size() > words[i].size() &&
             words[j].find(words[i]) != std::string::npos;
    if (!part) kept.push_back(std::move(words[i]));
  }
  return kept;
}

// The words of one filter text, searched for all at once: one walk along a haystack compares,
// at each byte, only the words not found yet that start with it and the byte after it, where a
// walk per word would pass a haystack that holds every word 32 times (a pasted page of words).
class WordSearch {
 public:
  explicit WordSearch(const std::vector<std::string>& words) : words_(words), startingWith_(65536) {
    static_assert(kFilterWordLimit <= 32, "a bit of a 32-bit mask for each word");
    for (size_t i = 0; i < words_.size(); ++i) {
      if (words_[i].size() == 1)
        oneByte_[static_cast<unsigned char>(words_[i][0])] |= 1u << i;
      else
        startingWith_[PairAt(words_[i], 0)] |= 1u << i;
      all_ |= 1u << i;
      longest_ = std::max(longest_, words_[i].size());
    }
  }

  // True when `haystack` (FilterHaystack) holds every word.
  bool AllIn(std::string_view haystack) const {
    if (longest_ > haystack.size()) return false;  // a long pasted word: no walk at all
    // One word (most typing): the library's search, which skips to its first byte faster.
    if (words_.size() == 1) return haystack.find(words_[0]) != std::string_view::npos;
    uint32_t missing = all_;
    for (size_t at = 0; missing != 0 && at < haystack.size(); ++at) {
      missing &= ~oneByte_[static_cast<unsigned char>(haystack[at])];
      if (at + 1 == haystack.size()) break;
      uint32_t candidates = startingWith_[PairAt(haystack, at)] & missing;
      while (candidates != 0) {
        const int i = std::countr_zero(candidates);
        candidates &= candidates - 1;
        const std::string& word = words_[static_cast<size_t>(i)];
        if (word.size() > haystack.size() - at) continue;
        size_t same = 2;  // most words are a few bytes: compared here rather than by a call
        while (same < word.size() && haystack[at + same] == word[same]) ++same;
        if (same == word.size()) missing &= ~(1u << i);
      }
    }
    return missing == 0;
  }

 private:
  static size_t PairAt(std::string_view text, size_t at) {
    return static_cast<unsigned char>(text[at]) | static_cast<unsigned char>(text[at + 1]) << 8;
  }

  const std::vector<std::string>& words_;  // FilterWords: at most kFilterWordLimit, none empty
  std::vector<uint32_t> startingWith_;     // by the first two bytes: bit i for words_[i]
  std::array<uint32_t, 256> oneByte_{};    // the words of one byte, by that byte
  uint32_t all_ = 0;
  size_t longest_ = 0;
};

}  // namespace

std::vector<std::string> FilterWords(std::string_view text) {
  bool more = false;
  return DistinctWords(text, kFilterWordLimit, more);
}

bool FilterWordsCapped(std::string_view text) {
  bool more = false;
  DistinctWords(text, kFilterWordLimit, more);
  return more;
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

void ProgramFilter::Build(const std::vector<const TTallimoProg*>& entries) {
  entries_ = entries;
  lastWords_.clear();
  lastRows_.clear();
  rows_.clear();
  haystacks_.clear();
  rows_.reserve(entries.size());
  haystacks_.reserve(entries.size());
  for (const TTallimoProg* entry : entries) {
    rows_.push_back(entry->Name);
    haystacks_.push_back(FilterHaystack(*entry));
  }
}

std::vector<size_t> ProgramFilter::Matching(std::string_view text) {
  std::vector<std::string> words = Essential(FilterWords(text));
  const WordSearch search(words);
  std::vector<size_t> shown;
  if (Narrows(words, lastWords_)) {
    for (size_t i : lastRows_)
      if (search.AllIn(haystacks_[i])) shown.push_back(i);
  } else {
    for (size_t i = 0; i < rows_.size(); ++i)
      if (search.AllIn(haystacks_[i])) shown.push_back(i);
  }
  lastWords_ = std::move(words);
  lastRows_ = shown;
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
