#include "install/install_line.h"

namespace tallimo {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

LineStart SplitCommandLine(std::string_view line) {
  size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  LineStart start;
  size_t end;
  if (i < line.size() && line[i] == '"') {
    size_t close = line.find('"', i + 1);
    start.program = std::string(line.substr(i + 1, close == line.npos ? line.npos : close - i - 1));
    end = close == line.npos ? line.size() : close + 1;
  } else {
    end = i;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    start.program = std::string(line.substr(i, end - i));
  }
  while (end < line.size() && IsBlank(line[end])) ++end;
  start.parameters = std::string(line.substr(end));
  return start;
}

LineStart StartOfLine(const std::string& line, FileSystem& files) {
  bool blank = true;
  for (char c : line) blank = blank && IsBlank(c);
  if (blank || files.KindOf(line) != TFileKind::fkMissing) return {line, {}};
  return SplitCommandLine(line);
}

bool IsProgramFile(std::string_view path) {
  size_t nameStart = path.find_last_of("\\/:");
  nameStart = nameStart == path.npos ? 0 : nameStart + 1;
  size_t dot = path.rfind('.');
  if (dot == path.npos || dot < nameStart) return true;
  std::string extension;
  for (char c : path.substr(dot)) extension += Lower(c);
  return extension == ".exe" || extension == ".com" || extension == ".bat" || extension == ".cmd";
}

}  // namespace tallimo
