#pragma once
// What ShowProgramDetails puts in the two panes and which entry commands it enables.
#include <optional>
#include <string>

#include "catalogue/catalogue.h"

namespace tallimo {

struct TProgramDetails {
  StringList InfoLines;   // MemoInfo's lines
  StringList SpecsLines;  // MemoSpecs's lines
  // BtnNFO and ppViewNFO1; nullopt leaves them as they are (no entry shown).
  std::optional<bool> NfoEnabled;
  // BtnSerial and ppCopySerial1; nullopt leaves them as they are.
  std::optional<bool> SerialEnabled;
};

// The Information pane's first line for a program installed on this computer.
inline constexpr const char* kInstalledLine = "Installed on this computer.";

// The panes for the entry at `index` of `list`, or the no-selection texts when `index` is
// negative. `index` is -1 or a valid index.
TProgramDetails ProgramDetails(const TProgramList& list, int index);

// Puts `lines` at the top of the Information pane, in place of its first, empty line.
void AddStandingLines(TProgramDetails& details, const StringList& lines);

// A memo's text for its lines: the lines joined by CR LF.
std::string MemoText(const StringList& lines);

}  // namespace tallimo
