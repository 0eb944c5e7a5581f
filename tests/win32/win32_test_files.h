#pragma once
// Helpers of the Win32 tests (paths and names in UTF-8): fresh temporary folders, whole-file
// bytes, folder snapshots, and commands of the Linux host under Wine (for faults that Win32
// alone cannot make).
#include <windows.h>
#undef MoveFile  // the file system seam's method, not the Win32 macro

#include <map>
#include <string>

namespace tallimo::wintest {

// A new, empty folder under the temporary folder, with a name no earlier run has used.
std::string MakeTempFolder(const std::string& tag);
// Deletes the folder and all it holds, read-only files included.
void RemoveTree(const std::string& folder);

bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
// Every entry of the folder with its bytes ("<folder>" for a folder), by name.
std::map<std::string, std::string> FolderContents(const std::string& folder);

// The host's path of a Windows path under Wine; empty when not under Wine.
std::string UnixPath(const std::string& windowsPath);
// Runs a /bin/sh command on the Linux host under Wine and waits for it (up to 20 s); true when
// it ran and succeeded. False when not under Wine or when the command failed.
bool RunUnixCommand(const std::string& shellCommand);

// A source file of the project, as a path Win32 opens.
std::string SourcePath(const std::string& relative);

}  // namespace tallimo::wintest
