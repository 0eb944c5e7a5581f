#include "platform/console.h"

namespace tallimo {

std::string ConsoleLine(const std::string& line) {
  std::string text;
  text.reserve(line.size() + 2);
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\r' || line[i] == '\n') {
      text += "\r\n";
      if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n') ++i;
    } else {
      text += line[i];
    }
  }
  return text + "\r\n";
}

}  // namespace tallimo
