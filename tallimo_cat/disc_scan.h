#pragma once
// tallimo-cat scan: the installers in a disc's folder, identified, and their entries written to
// a new catalogue or added to an existing one (nothing else of that file changes).
#include <ostream>
#include <string>
#include <vector>

#include "catalogue/catalogue_encoding.h"
#include "install/installer_scan.h"
#include "platform/clock.h"
#include "platform/disc_files.h"
#include "platform/files.h"
#include "platform/installer_database.h"
#include "platform/locale.h"

namespace tallimo {

// The catalogue text with `sections` (UTF-8, whole [Program<n>] sections) inserted as text
// after the line `afterLine` (0: at the start), in the file's own bytes and encoding. An ANSI
// file whose code page lacks a character of them becomes UTF-8 with its mark (`toUtf8` set).
std::string InsertSections(const std::string& bytes, const CatalogueText& file, size_t afterLine,
                           const std::string& sections, const CodePage& ansi, bool& toUtf8);

// The disc folder's own name ("Utilities" for D:\Kits\Utilities\, the current folder's for ".").
std::string DiscFolderName(const std::string& disc);

// The command: the lines of the output, the catalogue written; the exit code.
int RunScan(const std::string& disc, const std::string& catalogue, std::ostream& out,
            std::ostream& err, FileSystem& files, Locale& locale, Clock& clock,
            DiscFiles& discFiles, InstallerDatabase& database);

}  // namespace tallimo
