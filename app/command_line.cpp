#include "app/command_line.h"

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

std::optional<std::string> QueueWorkerFile(std::string_view commandLine) {
  std::size_t pos = 0;
  std::string option, file, extra;
  if (!NextArgument(commandLine, pos, option)) return std::nullopt;  // the program's name
  // Written unquoted by Tallimo: a quoted argument is a catalogue's name, never the option.
  while (pos < commandLine.size() && IsSeparator(commandLine[pos])) ++pos;
  if (commandLine.substr(pos, std::string_view(kQueueWorkerOption).size()) != kQueueWorkerOption)
    return std::nullopt;
  if (!NextArgument(commandLine, pos, option) || option != kQueueWorkerOption) return std::nullopt;
  if (!NextArgument(commandLine, pos, file) || file.empty()) return std::nullopt;
  if (NextArgument(commandLine, pos, extra)) return std::nullopt;
  return file;
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
