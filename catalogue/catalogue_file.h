#pragma once
// Reading and writing the catalogue file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_encoding.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/locale.h"

namespace tallimo {

// Replaces the header fields, NoteLines and ProgramList of `cat` with what `bytes` (a whole
// catalogue file) holds. IniFileName and Modified are left alone.
void ReadCatalogueText(std::string_view bytes, Catalogue& cat);

// The file that SaveCatalogue writes for `cat` (CRLF lines, sections and keys in order).
std::string WriteCatalogueText(const Catalogue& cat);

// Reads the catalogue file `path` as UTF-8 text (see catalogue/catalogue_encoding.h). Throws
// TallimoError with the message for the user when a folder or something other than a regular file
// stands there ("<path> is a folder, not a catalogue file", "<path> is not a regular file"), when
// it cannot be read ("Unable to read <path>") and when it does not fit in memory ("Not enough
// memory to read <path>").
CatalogueText ReadCatalogueFile(const std::string& path, FileSystem& files, Locale& locale);

// Reads the file named by cat.IniFileName, and its encoding into cat.Encoding; when nothing
// stands there nothing changes. Throws TallimoError as ReadCatalogueFile does; the catalogue
// then stays as it was.
void LoadCatalogue(Catalogue& cat, FileSystem& files, Locale& locale);

// Writes the catalogue to cat.IniFileName in cat.Encoding (see EncodingToWrite), keeping the
// previous file as the ".old" backup; sets WriteDate to the time of writing, Encoding to the
// one written, and clears Modified. Throws TallimoError "Unable to write to <IniFileName>" on
// failure, and UnstorableCharacterText when an ANSI catalogue holds a character the code page
// lacks (nothing is written then), leaving file, backup and the catalogue as they were.
void SaveCatalogue(Catalogue& cat, FileSystem& files, Locale& locale, Clock& clock);

// Puts `bytes` in place as the file `ini`, the previous file (when there is one) becoming its
// ".old" backup. Throws TallimoError "Unable to write to <ini>" on failure, leaving file and
// backup as they were.
void ReplaceCatalogueFile(const std::string& ini, std::string_view bytes, FileSystem& files);

// A character that the ANSI code page cannot store, and where the catalogue holds it: the key,
// with " of \"<program name>\"" for a program's keys ("Info2 of \"Text Editor\"", "Caption").
struct UnstorableCharacter {
  std::string character;
  std::string place;
};
// The first such character of the catalogue as it would be written.
std::optional<UnstorableCharacter> FindUnstorableCharacter(const Catalogue& cat,
                                                           const CodePage& ansi);
// "<file> holds characters that the ANSI code page cannot store, such as "<c>" in <place>."
std::string UnstorableCharacterText(const std::string& file, const UnstorableCharacter& found);

// The Batch key's text read as a flag ("1", "-1", "$10", "0x10" are on; "0", "yes", "" off).
bool ReadBatchValue(const std::string& text);

// The Restart key's text: "1" and "2" are their rules; "0" and any other text the default.
TRestartRule ReadRestartValue(std::string_view text);

// D:\MENU\DISC.INI -> D:\MENU\DISC.old; a name without an extension gets ".old" appended.
std::string BackupFileName(const std::string& iniFileName);

}  // namespace tallimo
