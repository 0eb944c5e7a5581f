#pragma once
// Choosing the catalogue file from the command line, and the elevated copy's internal option.
#include <optional>
#include <string>
#include <string_view>

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

// The option that starts Tallimo as the elevated copy of an install queue, followed by the
// hand-over file. Internal: only Tallimo itself writes it. The "*" can be no file's name, so a
// catalogue argument is never taken for it.
inline constexpr const char* kQueueWorkerOption = "/queue-worker*";

// The hand-over file when the command line is exactly the option and a file; nullopt else.
std::optional<std::string> QueueWorkerFile(std::string_view commandLine);

}  // namespace tallimo
