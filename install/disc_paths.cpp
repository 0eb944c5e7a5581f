#include "install/disc_paths.h"

#include "platform/locale.h"
#include "platform/text_codec.h"

namespace tallimo {

namespace {

// The line's parts as the command line splits them: at blanks outside quotes, quotes taken out.
std::vector<std::string> LineParts(std::string_view line) {
  std::vector<std::string> parts;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size()) break;
    std::string part;
    bool quoted = false;
    for (; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')); ++i) {
      if (line[i] == '"')
        quoted = !quoted;
      else
        part += line[i];
    }
    parts.push_back(std::move(part));
  }
  return parts;
}

bool IsUnc(std::string_view part) {
  return part.size() > 2 && part[0] == '\\' && part[1] == '\\';
}

}  // namespace

std::vector<std::string> RootedPaths(std::string_view line) {
  std::vector<std::string> paths;
  for (std::string& part : LineParts(line)) {
    const bool drive = part.size() >= 4 && part[0] == '%' && (part[1] == 'D' || part[1] == 'd') &&
                       part[2] == ':' && part[3] == '\\';
    if (drive)
      paths.push_back(part.substr(3));
    else if (!part.empty() && part[0] == '\\' && !IsUnc(part))
      paths.push_back(std::move(part));
  }
  return paths;
}

std::vector<std::string> FullPaths(std::string_view line) {
  std::vector<std::string> paths;
  for (std::string& part : LineParts(line)) {
    const bool drive = part.size() >= 3 && ((part[0] | 0x20) >= 'a' && (part[0] | 0x20) <= 'z') &&
                       part[1] == ':' && (part[2] == '\\' || part[2] == '/');
    if (drive || IsUnc(part)) paths.push_back(std::move(part));
  }
  return paths;
}

std::string FoldedDiscPath(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (size_t pos = 0; pos < path.size();) {
    const char32_t c = NextCodePoint(path, pos);
    AppendUtf8(out, c == '/' ? U'\\' : FoldCase(c));
  }
  return out;
}

}  // namespace tallimo
