#pragma once
// tallimo-cat check: what a disc author should mend in a catalogue before burning the disc.
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_file.h"
#include "catalogue/ini_document.h"
#include "platform/files.h"
#include "platform/locale.h"

namespace tallimo {

enum class TSeverity { svError, svWarning };

struct Finding {
  size_t line;  // 1-based line of the catalogue file
  TSeverity severity;
  std::string text;
};

// The findings on `file`, parsed as `doc` and read as `cat`, sorted by line (findings on one
// line in the order of the checks). Paths from the disc's root are looked up under `discRoot`;
// program names are compared ignoring case as `locale` compares them.
std::vector<Finding> CheckCatalogue(const CatalogueText& file, const IniDocument& doc,
                                    const Catalogue& cat, FileSystem& files, Locale& locale,
                                    const std::string& discRoot);

}  // namespace tallimo
