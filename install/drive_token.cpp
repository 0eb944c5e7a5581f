#include "install/drive_token.h"

namespace tallimo {

bool HasDriveToken(std::string_view line) {
  return line.find(kDriveToken) != line.npos;
}

std::string ReplaceDriveTokens(std::string line, char letter) {
  size_t from = 0;
  for (;;) {
    size_t at = line.find(kDriveToken, from);
    if (at == line.npos) return line;
    line.replace(at, 2, 1, letter);
    // Only a token that takes in the inserted letter can be new; everything further left was
    // searched already.
    from = at >= 2 ? at - 2 : 0;
  }
}

std::optional<StringList> PrepareInstallLines(const StringList& lines,
                                              const DriveChooser& chooseDrive) {
  StringList prepared;
  prepared.reserve(lines.size());
  std::optional<char> letter;
  for (const std::string& line : lines) {
    if (HasDriveToken(line) && !letter) {
      letter = chooseDrive ? chooseDrive() : std::nullopt;
      if (!letter) return std::nullopt;
      if (*letter >= 'A' && *letter <= 'Z') *letter = static_cast<char>(*letter - 'A' + 'a');
    }
    prepared.push_back(letter ? ReplaceDriveTokens(line, *letter) : line);
  }
  return prepared;
}

}  // namespace tallimo
