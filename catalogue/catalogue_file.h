#pragma once
// Reading and writing the catalogue file.
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/locale.h"

namespace tallimo {

// Replaces the header fields, NoteLines and ProgramList of `cat` with what `bytes` (a whole
// catalogue file) holds. IniFileName and Modified are left alone.
void ReadCatalogueText(std::string_view bytes, Catalogue& cat);

// The file that SaveCatalogue writes for `cat` (CRLF lines, sections and keys in order).
std::string WriteCatalogueText(const Catalogue& cat);

// Reads the file named by cat.IniFileName; when no such file exists nothing changes.
void LoadCatalogue(Catalogue& cat, FileSystem& files);

// Writes the catalogue to cat.IniFileName, keeping the previous file as the ".old" backup;
// sets WriteDate to the time of writing and clears Modified. Throws TallimoError
// "Unable to write to <IniFileName>" on failure, leaving file, backup and Modified as they were.
void SaveCatalogue(Catalogue& cat, FileSystem& files, Locale& locale, Clock& clock);

// The Batch key's text read as a flag ("1", "-1", "$10", "0x10" are on; "0", "yes", "" off).
bool ReadBatchValue(const std::string& text);

// D:\MENU\DISC.INI -> D:\MENU\DISC.old; a name without an extension gets ".old" appended.
std::string BackupFileName(const std::string& iniFileName);

}  // namespace tallimo
