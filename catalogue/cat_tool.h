#pragma once
// tallimo-cat, the disc author's console companion: dump, check and rewrite a catalogue.
#include <ostream>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/locale.h"

namespace tallimo {

// Runs one command; `args` are the arguments after the program's name. Returns the exit
// code: 0 done (check: no errors), 1 check found errors, or rewrite failed or refused a file
// holding lines that Tallimo does not read (unless given --force), 2 usage error or
// a file that does not exist or cannot be read.
int RunCatTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               FileSystem& files, Locale& locale, Clock& clock);

// The catalogue as one JSON object, pure ASCII.
std::string CatalogueJson(const Catalogue& cat);

// A JSON string literal of 8-bit text: control bytes and bytes from 0x80 as \u00XX.
std::string JsonString(std::string_view text);

}  // namespace tallimo
