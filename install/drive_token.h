#pragma once
// The drive token of install lines: "%D:" stands for the drive the user picks.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"

namespace tallimo {

// Exact and case-sensitive: "%d:" and a "%D" without its colon are not tokens.
inline constexpr std::string_view kDriveToken = "%D:";

bool HasDriveToken(std::string_view line);

// Replaces every token of the line, leftmost first: "%D" gives way to the letter and the colon
// stays, so "copy %D:\a" becomes "copy e:\a".
std::string ReplaceDriveTokens(std::string line, char letter);

// Asks the user for a drive; the letter, or nothing when the choice was abandoned.
using DriveChooser = std::function<std::optional<char>()>;

// The Drive dialog as the commands see it.
class DriveChoice {
 public:
  virtual ~DriveChoice() = default;
  // The chosen drive's letter, or nothing when the dialog was left without a choice.
  virtual std::optional<char> ChooseDrive() = 0;
};

// Prepares the lines of one install command. The chooser is asked at most once, at the first
// line holding a token, and never when no line holds one; its letter is taken in lower case.
// Nothing when the chooser gave no letter: the command is cancelled.
std::optional<StringList> PrepareInstallLines(const StringList& lines,
                                              const DriveChooser& chooseDrive);

}  // namespace tallimo
