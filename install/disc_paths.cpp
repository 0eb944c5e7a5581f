#include "install/disc_paths.h"

#include "platform/locale.h"
#include "platform/text_codec.h"

namespace tallimo {

std::vector<std::string> RootedPaths(std::string_view line) {
  std::vector<std::string> paths;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size()) break;
    // One part: up to a blank outside quotes; quotes are taken out of it.
    std::string part;
    bool quoted = false;
    for (; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')); ++i) {
      if (line[i] == '"')
        quoted = !quoted;
      else
        part += line[i];
    }
    const bool drive = part.size() >= 4 && part[0] == '%' && (part[1] == 'D' || part[1] == 'd') &&
                       part[2] == ':' && part[3] == '\\';
    if (drive)
      paths.push_back(part.substr(3));
    else if (!part.empty() && part[0] == '\\')
      paths.push_back(part);
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
