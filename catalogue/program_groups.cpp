#include "catalogue/program_groups.h"

#include <algorithm>

#include "catalogue/ini_document.h"
#include "platform/locale.h"
#include "platform/text_codec.h"

namespace tallimo {

StringList SplitPresets(std::string_view value) {
  StringList names;
  size_t at = 0;
  while (at <= value.size()) {
    size_t end = value.find(';', at);
    if (end == std::string_view::npos) end = value.size();
    size_t first = at, last = end;
    while (first < last && IsIniBlank(value[first])) ++first;
    while (last > first && IsIniBlank(value[last - 1])) --last;
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

void GroupNames::Add(const std::string& name) {
  if (name.empty() || folded_.size() == folded_.capacity() || Find(name) < names_.size()) return;
  folded_.push_back(FoldText(name));
  index_.emplace(folded_.back(), names_.size());
  names_.push_back(name);
}

size_t GroupNames::Find(const std::string& name) const {
  if (names_.empty() || name.empty()) return names_.size();
  // The index ignores ASCII case itself: only other letters need folding first.
  const bool ascii = std::all_of(name.begin(), name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  const auto it = ascii ? index_.find(name) : index_.find(FoldText(name));
  return it == index_.end() ? names_.size() : it->second;
}

GroupNames CatalogueCategories(const TProgramList& list) {
  GroupNames groups(list.size());
  for (const auto& entry : list) groups.Add(entry->Category);
  return groups;
}

GroupNames CataloguePresets(const TProgramList& list) {
  size_t count = 0;
  for (const auto& entry : list) count += entry->Presets.size();
  GroupNames groups(count);
  for (const auto& entry : list)
    for (const std::string& preset : entry->Presets) groups.Add(preset);
  return groups;
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
