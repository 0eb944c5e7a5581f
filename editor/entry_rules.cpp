#include "editor/entry_rules.h"

namespace tallimo {

bool IsAbsolutePath(const std::string& path) {
  return path.size() >= 2 && path[1] == ':';
}

std::string WithoutDrive(const std::string& path) {
  return IsAbsolutePath(path) ? path.substr(2) : path;
}

std::string FolderOfFile(const std::string& path) {
  const size_t end = path.find_last_of("\\:");
  if (end == std::string::npos) return {};
  // Keep the "\" of a root ("D:\") and of a doubled separator ("\\server").
  if (path[end] == '\\' && (end == 0 || path[end - 1] == ':' || path[end - 1] == '\\'))
    return path.substr(0, end + 1);
  if (path[end] == ':') return path.substr(0, end + 1);
  return path.substr(0, end);
}

bool HasAbsolutePath(const std::string& nfoPath, const StringList& installLines) {
  if (IsAbsolutePath(nfoPath)) return true;
  for (const std::string& line : installLines)
    if (IsAbsolutePath(line)) return true;
  return false;
}

void ConvertToRelativePaths(std::string& nfoPath, StringList& installLines) {
  nfoPath = WithoutDrive(nfoPath);
  for (std::string& line : installLines) line = WithoutDrive(line);
}

bool IsBlankLine(const std::string& line) {
  for (char c : line)
    if (static_cast<unsigned char>(c) > 32) return false;
  return true;
}

bool TrimTrailingBlankLines(StringList& lines) {
  bool trimmed = false;
  while (lines.size() > 1 && IsBlankLine(lines.back())) {
    lines.pop_back();
    trimmed = true;
  }
  return trimmed;
}

bool EntryIsComplete(const std::string& name, const std::string& installText) {
  // A name of blanks would make an invisible row, easily selected by mistake.
  return name.find_first_not_of(" \t") != std::string::npos && !installText.empty();
}

std::string SuccessCodesMessage(const std::string& rejectedPart) {
  return "The success codes must be whole numbers separated by commas, such as 1,2; \"" +
         rejectedPart + "\" is not one.";
}

}  // namespace tallimo
