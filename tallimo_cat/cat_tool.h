#pragma once
// tallimo-cat, the disc author's console companion: dump, check and rewrite a catalogue, scan a
// disc's installers into one, write the disc's autorun.inf.
// This file holds the command line (usage, dispatch, the commands' output); the checker's
// rules are in tallimo_cat/catalogue_check.h, the JSON form in tallimo_cat/catalogue_json.h.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/disc_files.h"
#include "platform/files.h"
#include "platform/installer_database.h"
#include "platform/locale.h"

namespace tallimo {

// Runs one command; `args` are the arguments after the program's name. Returns the exit
// code: 0 done (check: no errors), 1 check found errors, or rewrite failed or refused a file
// holding lines that Tallimo does not read (unless given --force), 2 usage error or
// a file that does not exist or cannot be read.
// Text for a terminal: control characters shown as \xNN or \u00NN, so that a file cannot
// retitle or clear the terminal it is shown on.
std::string PrintableText(std::string_view text);

int RunCatTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               FileSystem& files, Locale& locale, Clock& clock, DiscFiles& disc,
               InstallerDatabase& database);

}  // namespace tallimo
