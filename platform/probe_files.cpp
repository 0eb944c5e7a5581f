#include "platform/probe_files.h"

#include <algorithm>

namespace tallimo {

namespace {
bool IsSlash(char c) {
  return c == '\\' || c == '/';
}
char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

std::string PathServer(std::string_view path) {
  if (path.size() >= 3 && IsSlash(path[0]) && IsSlash(path[1]) && !IsSlash(path[2])) {
    std::string server = "\\\\";
    for (size_t i = 2; i < path.size() && !IsSlash(path[i]); ++i) server += Lower(path[i]);
    return server;
  }
  const char letter = path.empty() ? '\0' : Lower(path[0]);
  if (path.size() >= 2 && path[1] == ':' && letter >= 'a' && letter <= 'z') return {letter, ':'};
  return {};
}

TFileKind GivingUpFiles::KindOf(const std::string& path) {
  const std::string server = PathServer(path);
  if (!server.empty() && std::find(silent_.begin(), silent_.end(), server) != silent_.end())
    return TFileKind::fkNoAnswer;
  const TFileKind kind = probes_.KindOf(path);
  if (kind == TFileKind::fkNoAnswer && !server.empty()) silent_.push_back(server);
  return kind;
}

}  // namespace tallimo
