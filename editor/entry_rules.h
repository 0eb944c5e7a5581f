#pragma once
// The rules of the Add/Edit Program dialog: absolute paths and their conversion, the folder a
// picker remembers, trailing blank lines, and the check of an entry.
#include <string>

#include "catalogue/catalogue.h"
#include "platform/prompter.h"

namespace tallimo {

// The question asked when a path names a drive (lines separated by single carriage returns).
inline constexpr const char* kAbsolutePathQuestion =
    "You have specified an absolute path to the NFO file.\r"
    "If you are burning this program/config to a CDRom you may\r"
    "want to use a relative path (ie. without the drive specified).\r"
    "Do you want to convert to a relative path now?";
// The error of an entry without a name or an installation procedure.
inline constexpr const char* kIncompleteEntryMessage =
    "There must be at least a \"Program Name\"\r"
    "and an \"Install Procedure\" specified.";

// The two pickers of the dialog: their filters (description and pattern pairs) and titles.
inline constexpr const char* kNfoPickerFilter =
    "Text & NFO Files|*.NFO;*.DIZ;*.TXT;*.ME;*.ASC|All Files|*.*";
inline constexpr const char* kNfoPickerTitle = "Find NFO File...";
inline constexpr const char* kInstallPickerFilter =
    "Executable Files|*.EXE;*.BAT;*.COM|All Files|*.*";
inline constexpr const char* kInstallPickerTitle = "Find Install Program...";

// A path names a drive when its second character is ":" ("C:", "D:\SETUP.EXE"); an empty or
// one-character text does not, nor does an install line of the drive placeholder "%D:".
bool IsAbsolutePath(const std::string& path);

// The path without its drive letter and colon ("D:\EDITOR\X.NFO" -> "\EDITOR\X.NFO"); any
// other path, a network path such as "\\server\share\SETUP.EXE" included, is kept whole.
// Nothing else is cut: a long path keeps all its characters.
std::string WithoutDrive(const std::string& path);

// The folder of a chosen file, which the next picker opens in: the path up to its last "\" or
// ":", without that "\" unless it follows a ":" or another "\" ("D:\EDITOR\EDITOR.NFO" ->
// "D:\EDITOR", "D:\README.TXT" -> "D:\").
std::string FolderOfFile(const std::string& path);

// Whether the NFO path or one of the install lines names a drive.
bool HasAbsolutePath(const std::string& nfoPath, const StringList& installLines);
// Takes the drive off the NFO path and off every install line that names one.
void ConvertToRelativePaths(std::string& nfoPath, StringList& installLines);

// A line holding nothing but characters with codes up to 32.
bool IsBlankLine(const std::string& line);
// Deletes blank lines from the end, stopping at the first line that is not blank; the first
// line is never deleted. True when a line was deleted.
bool TrimTrailingBlankLines(StringList& lines);

// An entry may be accepted when its name holds more than blanks and the installation memo's
// whole text is not empty (a blank or a line break counts there).
bool EntryIsComplete(const std::string& name, const std::string& installText);

// The error for a part of the success codes that is not a number.
std::string SuccessCodesMessage(const std::string& rejectedPart);

}  // namespace tallimo
