#pragma once
// Reading and writing the catalogue file.
#include <string>
#include <string_view>
#include <vector>

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

// A catalogue file as 8-bit text, and how it was stored.
struct CatalogueText {
  std::string text;
  bool utf16 = false;                      // stored as UTF-16 with a byte-order mark
  std::vector<size_t> unconvertibleLines;  // lines with characters the code page lacks ("?")
};

// Reads the catalogue file `path`; a UTF-16 file with its byte-order mark is converted to the
// locale's ANSI code page. Throws TallimoError with the message for the user when a folder or
// something other than a regular file stands there ("<path> is a folder, not a catalogue
// file", "<path> is not a regular file"), when it cannot be read ("Unable to read <path>") and
// when it does not fit in memory ("Not enough memory to read <path>").
CatalogueText ReadCatalogueFile(const std::string& path, FileSystem& files, Locale& locale);

// Reads the file named by cat.IniFileName; when nothing stands there nothing changes. Throws
// TallimoError as ReadCatalogueFile does; the catalogue then stays as it was.
void LoadCatalogue(Catalogue& cat, FileSystem& files, Locale& locale);

// Writes the catalogue to cat.IniFileName, keeping the previous file as the ".old" backup;
// sets WriteDate to the time of writing and clears Modified. Throws TallimoError
// "Unable to write to <IniFileName>" on failure, leaving file, backup and Modified as they were.
void SaveCatalogue(Catalogue& cat, FileSystem& files, Locale& locale, Clock& clock);

// The Batch key's text read as a flag ("1", "-1", "$10", "0x10" are on; "0", "yes", "" off).
bool ReadBatchValue(const std::string& text);

// D:\MENU\DISC.INI -> D:\MENU\DISC.old; a name without an extension gets ".old" appended.
std::string BackupFileName(const std::string& iniFileName);

}  // namespace tallimo
