#pragma once
// The groups an entry belongs to: its category (the list's header rows) and its presets (the
// named selections of Mark Preset and /preset). Names of both are compared ignoring case; the
// first spelling met in catalogue order names the group.
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "catalogue/ini_document.h"

namespace tallimo {

// A Presets value split at ";", each name without blanks at either end; empty names are dropped.
StringList SplitPresets(std::string_view value);
// The value written for a list of presets.
std::string PresetsText(const StringList& presets);

// Names met one after another, each kept in its first spelling; later spellings equal to it
// ignoring case are the same group.
class GroupNames {
 public:
  // Room for `capacity` names: no more may be added.
  explicit GroupNames(size_t capacity = 0) { folded_.reserve(capacity); }
  GroupNames(GroupNames&&) = default;
  GroupNames& operator=(GroupNames&&) = default;
  void Add(const std::string& name);
  // The index of `name`'s group in Names(), or Names().size() when it has none.
  size_t Find(const std::string& name) const;
  // In the order first met; empty when nothing was added.
  const StringList& Names() const { return names_; }

 private:
  StringList names_;
  StringList folded_;   // never grows past its reserve, so that the index's views stay valid
  IniNameIndex index_;  // folded name -> index
};

// The categories of the catalogue's entries, in the order they first appear.
GroupNames CatalogueCategories(const TProgramList& list);
// The presets of the catalogue's entries, likewise.
GroupNames CataloguePresets(const TProgramList& list);

// True when the entry belongs to the preset `name` (ignoring case).
bool HoldsPreset(const TTallimoProg& entry, std::string_view name);

// A name cut to `maxCharacters` characters with "..." added, for menus and lists that a name of
// thousands of characters would run off the screen.
std::string ShortName(const std::string& name, size_t maxCharacters);

}  // namespace tallimo
