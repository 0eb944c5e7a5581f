#pragma once
// The catalogue read from a parsed INI file; the checker of tallimo-cat shares it.
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/ini_document.h"

namespace tallimo {

// Replaces the header fields, NoteLines and ProgramList of `cat` with what `doc` holds.
void ReadCatalogueDocument(const IniDocument& doc, Catalogue& cat);

// "Program" + 12 -> "Program12": the numbered names of the catalogue file.
std::string NumberedName(std::string_view stem, size_t number);

}  // namespace tallimo
