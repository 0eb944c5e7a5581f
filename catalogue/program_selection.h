#pragma once
// The program list's selection as the commands see it: which row is selected and which entry
// it carries. The main window adapts its list to it; tests give a fake.
#include <string>

namespace tallimo {

class ProgramSelection {
 public:
  virtual ~ProgramSelection() = default;
  // True when a row is selected; with `warn`, a missing selection is reported to the user.
  virtual bool HasSelection(bool warn) = 0;
  // The index in the program list of the selected row's entry (of equal names, the first), or
  // -1 when the row carries none.
  virtual int SelectedIndex() = 0;
};

}  // namespace tallimo
