#pragma once
// The program list's selection as the commands see it: which row is selected and which entry
// its text names. The main window adapts its list to it; tests give a fake.
#include <string>

namespace tallimo {

class ProgramSelection {
 public:
  virtual ~ProgramSelection() = default;
  // True when a row is selected; with `warn`, a missing selection is reported to the user.
  virtual bool HasSelection(bool warn) = 0;
  // The text of the selected row.
  virtual std::string SelectedText() = 0;
  // The index in the program list of the first entry of that name, or -1.
  virtual int FindProgramIndex(const std::string& name) = 0;
};

}  // namespace tallimo
