#pragma once
// The groups an entry belongs to: its category (the list's header rows) and its presets (the
// named selections of Mark Preset and /preset). Names of both are compared ignoring case; the
// first spelling met in catalogue order names the group.
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"

namespace tallimo {

// A Presets value split at ";", each name without blanks at either end; empty names are dropped.
StringList SplitPresets(std::string_view value);
// The value written for a list of presets.
std::string PresetsText(const StringList& presets);

// The categories of the catalogue's entries, in the order they first appear, each in its first
// spelling. Empty when no entry has a category.
StringList CatalogueCategories(const TProgramList& list);
// The presets of the catalogue's entries, likewise.
StringList CataloguePresets(const TProgramList& list);

// True when the entry belongs to the preset `name` (ignoring case).
bool HoldsPreset(const TTallimoProg& entry, std::string_view name);

// A name cut to `maxCharacters` characters with "..." added, for menus and lists that a name of
// thousands of characters would run off the screen.
std::string ShortName(const std::string& name, size_t maxCharacters);

}  // namespace tallimo
