#pragma once
// Choosing the catalogue file from the command line, and the options of an unattended run.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

// The first argument after the program's name in a raw command line (GetCommandLineW's, in
// UTF-8): blanks and control characters separate arguments, a double-quoted stretch may
// hold blanks and loses its quotes; further arguments are ignored. nullopt when there is none.
std::optional<std::string> FirstCommandLineArgument(std::string_view commandLine);

// The program's own path with its extension replaced by ".ini" (D:\CD\SETUP.EXE ->
// D:\CD\SETUP.ini); a file name without a dot gets ".ini" appended.
std::string DefaultIniFileName(const std::string& programPath);

// IniFileName at start-up: the first argument unchanged, else DefaultIniFileName.
std::string ChooseIniFileName(std::string_view commandLine, const std::string& programPath);

// Every argument after the program's name, split as FirstCommandLineArgument splits them.
std::vector<std::string> CommandLineArguments(std::string_view commandLine);

// An unattended run: Tallimo.exe [CATALOGUE] /install [NAME ...] [/preset NAME ...] [/drive X]
// [/log FILE] [/quiet] [/reinstall] [/restart], or /? for the usage.
struct UnattendedOptions {
  bool usage = false;                // /?: the usage is shown, nothing else happens
  std::string catalogue;             // empty: the program's own path with ".ini"
  std::vector<std::string> names;    // "*": every entry
  std::vector<std::string> presets;  // /preset, each adding a preset's programs
  std::optional<char> drive;         // /drive, in lower case
  std::string logFile;               // /log; empty: a new log in TEMP
  bool quiet = false;
  bool reinstall = false;
  bool restart = false;  // /restart: restarts before the next program, and goes on after them
  std::string error;  // a usage error, for the log and the box; empty when there is none
};

// The options of an unattended run; nullopt when the command line holds none of /install,
// /preset and /? (the catalogue is then chosen as ChooseIniFileName does). Options are recognised
// ignoring case, with "/" or "-".
std::optional<UnattendedOptions> ParseUnattended(std::string_view commandLine);

// The text of the usage box.
std::string UnattendedUsage();

}  // namespace tallimo
