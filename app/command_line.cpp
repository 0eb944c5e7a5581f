#include "app/command_line.h"

#include <algorithm>

namespace tallimo {
namespace {

bool IsSeparator(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

// Reads the argument starting at `pos` (separators before it skipped) into `arg`; false at the
// end of the line. Pairs of quotes in front of an argument are skipped, so "" alone is no
// argument.
bool NextArgument(std::string_view line, std::size_t& pos, std::string& arg) {
  for (;;) {
    while (pos < line.size() && IsSeparator(line[pos])) ++pos;
    if (pos + 1 < line.size() && line[pos] == '"' && line[pos + 1] == '"') {
      pos += 2;
    } else {
      break;
    }
  }
  if (pos >= line.size()) return false;
  arg.clear();
  while (pos < line.size() && !IsSeparator(line[pos])) {
    if (line[pos] == '"') {
      ++pos;
      while (pos < line.size() && line[pos] != '"') arg += line[pos++];
      if (pos < line.size()) ++pos;  // the closing quote
    } else {
      arg += line[pos++];
    }
  }
  return true;
}

}  // namespace

std::optional<std::string> FirstCommandLineArgument(std::string_view commandLine) {
  std::size_t pos = 0;
  std::string arg;
  if (!NextArgument(commandLine, pos, arg)) return std::nullopt;  // not even a program name
  if (!NextArgument(commandLine, pos, arg)) return std::nullopt;
  return arg;
}

std::vector<std::string> CommandLineArguments(std::string_view commandLine) {
  std::vector<std::string> args;
  std::size_t pos = 0;
  std::string arg;
  if (!NextArgument(commandLine, pos, arg)) return args;  // the program's name
  while (NextArgument(commandLine, pos, arg)) args.push_back(arg);
  return args;
}

namespace {

bool IsOption(const std::string& arg) {
  return !arg.empty() && (arg[0] == '/' || arg[0] == '-');
}

// The option's name in lower case, without its "/" or "-".
std::string OptionName(const std::string& arg) {
  std::string name = arg.substr(1);
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return name;
}

// True when the raw line holds `/name` or `-name` anywhere, ignoring case (inside quotes too).
bool RawLineHolds(std::string_view line, std::string_view name) {
  for (size_t at = 0; at + name.size() < line.size(); ++at) {
    if (line[at] != '/' && line[at] != '-') continue;
    size_t i = 0;
    while (i < name.size() && (line[at + 1 + i] | 0x20) == (name[i] | 0x20)) ++i;
    if (i == name.size()) return true;
  }
  return false;
}

// A name that reads as a catalogue's file.
bool EndsWithIni(const std::string& name) {
  return name.size() > 4 && OptionName(name.substr(name.size() - 4)) == "ini" &&
         name[name.size() - 4] == '.';
}

}  // namespace

std::optional<UnattendedOptions> ParseUnattended(std::string_view commandLine) {
  const std::vector<std::string> args = CommandLineArguments(commandLine);
  bool unattended = false;
  for (const std::string& arg : args)
    if (IsOption(arg) &&
        (OptionName(arg) == "install" || OptionName(arg) == "preset" || OptionName(arg) == "?"))
      unattended = true;
  // A quote left open swallows the options after it, so that the run would wait for a person:
  // the raw line tells what was meant.
  const bool unclosed = std::count(commandLine.begin(), commandLine.end(), '"') % 2 != 0;
  if (unclosed && (RawLineHolds(commandLine, "install") || RawLineHolds(commandLine, "preset") ||
                   RawLineHolds(commandLine, "?")))
    unattended = true;
  if (!unattended) return std::nullopt;

  UnattendedOptions options;
  options.quiet = RawLineHolds(commandLine, "quiet");
  auto fail = [&options](std::string message) {
    if (options.error.empty()) options.error = std::move(message);
  };
  std::size_t i = 0;
  if (!args.empty() && !IsOption(args[0])) options.catalogue = args[i++];
  bool install = false;
  while (i < args.size()) {
    const std::string& arg = args[i++];
    if (!IsOption(arg)) {
      fail("Unexpected argument: " + arg);
      continue;
    }
    const std::string name = OptionName(arg);
    // The value of /drive or /log: the next argument, when it is not an option itself.
    auto value = [&]() -> std::optional<std::string> {
      if (i < args.size() && !IsOption(args[i])) return args[i++];
      fail("The option " + arg + " needs a value");
      return std::nullopt;
    };
    if (name == "?") {
      options.usage = true;
    } else if (name == "install") {
      install = true;
      while (i < args.size() && !IsOption(args[i])) options.names.push_back(args[i++]);
    } else if (name == "drive") {
      if (auto letter = value()) {
        std::string d = *letter;
        if (d.size() == 2 && d[1] == ':') d.pop_back();
        const char c = d.size() == 1 ? d[0] : '\0';
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
          options.drive = static_cast<char>(c | 0x20);
        else
          fail("Not a drive letter: " + *letter);
      }
    } else if (name == "preset") {
      if (auto preset = value()) options.presets.push_back(*preset);
    } else if (name == "log") {
      if (auto file = value()) options.logFile = *file;
    } else if (name == "quiet") {
      options.quiet = true;
    } else if (name == "reinstall") {
      options.reinstall = true;
    } else if (name == "restart") {
      options.restart = true;
    } else {
      fail("Unknown option: " + arg);
    }
  }
  if (install && options.names.empty() && options.presets.empty())
    fail("The option /install needs the names of programs or a /preset");
  if (!install && !options.presets.empty()) fail("The option /preset needs /install");
  if (options.catalogue.empty() &&
      std::any_of(options.names.begin(), options.names.end(), EndsWithIni))
    fail("Name the catalogue before /install.");
  // First, since what follows the quote is not what was typed.
  if (unclosed)
    options.error =
        "A quote is not closed: " + std::string(commandLine.substr(commandLine.rfind('"')));
  return options;
}

std::string UnattendedUsage() {
  return "Tallimo.exe [CATALOGUE] /install [NAME ...] [/preset NAME] [/drive X] [/log FILE] "
         "[/quiet] [/reinstall] [/restart]\r\r"
         "/install NAME ...\tinstalls these programs of the catalogue (* for all)\r"
         "/preset NAME\tinstalls the programs of this preset too (may be repeated)\r"
         "/drive X\tthe drive letter for %D: (else the catalogue's drive)\r"
         "/log FILE\tthe log, added to when it exists (else a new one in TEMP)\r"
         "/quiet\tno windows\r"
         "/reinstall\tinstalls programs that are installed already\r"
         "/restart\trestarts when a program needs it, and goes on after the restart\r"
         "/?\tshows this text\r\r"
         "Exit codes: 0 installed, 3010 a restart is needed, 1 a program failed, 1641 a "
         "restart was started, 2 a usage error.";
}

std::string DefaultIniFileName(const std::string& programPath) {
  const std::size_t nameStart = programPath.find_last_of("\\/:");
  const std::size_t dot = programPath.rfind('.');
  if (dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart)) {
    return programPath.substr(0, dot) + ".ini";
  }
  return programPath + ".ini";
}

std::string ChooseIniFileName(std::string_view commandLine, const std::string& programPath) {
  if (auto arg = FirstCommandLineArgument(commandLine)) return *arg;
  return DefaultIniFileName(programPath);
}

}  // namespace tallimo
