#include "catalogue/program_groups.h"

#include <unordered_set>

#include "platform/locale.h"
#include "platform/text_codec.h"

namespace tallimo {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Adds `name` to `names` unless one equal to it ignoring case is there already.
void AddFirstSpelling(StringList& names, std::unordered_set<std::string>& seen,
                      const std::string& name) {
  if (!name.empty() && seen.insert(FoldText(name)).second) names.push_back(name);
}

}  // namespace

StringList SplitPresets(std::string_view value) {
  StringList names;
  size_t at = 0;
  while (at <= value.size()) {
    size_t end = value.find(';', at);
    if (end == std::string_view::npos) end = value.size();
    size_t first = at, last = end;
    while (first < last && IsBlank(value[first])) ++first;
    while (last > first && IsBlank(value[last - 1])) --last;
    if (last > first) names.emplace_back(value.substr(first, last - first));
    at = end + 1;
  }
  return names;
}

std::string PresetsText(const StringList& presets) {
  std::string text;
  for (const std::string& name : presets) {
    if (!text.empty()) text += ';';
    text += name;
  }
  return text;
}

StringList CatalogueCategories(const TProgramList& list) {
  StringList names;
  std::unordered_set<std::string> seen;
  for (const auto& entry : list) AddFirstSpelling(names, seen, entry->Category);
  return names;
}

StringList CataloguePresets(const TProgramList& list) {
  StringList names;
  std::unordered_set<std::string> seen;
  for (const auto& entry : list)
    for (const std::string& preset : entry->Presets) AddFirstSpelling(names, seen, preset);
  return names;
}

bool HoldsPreset(const TTallimoProg& entry, std::string_view name) {
  for (const std::string& preset : entry.Presets)
    if (CompareFolded(preset, name) == 0) return true;
  return false;
}

std::string ShortName(const std::string& name, size_t maxCharacters) {
  size_t at = 0;
  for (size_t count = 0; at < name.size() && count < maxCharacters; ++count)
    NextCodePoint(name, at);
  if (at >= name.size()) return name;
  return name.substr(0, at) + "...";
}

}  // namespace tallimo
