#pragma once
// The main window's list as the commands see it: the one adapter from the list's selection to
// the commands' ProgramSelection.
#include "app/main_form.h"
#include "install/install_runner.h"

namespace tallimo {

class MainWindowSelection final : public ProgramSelection {
 public:
  explicit MainWindowSelection(TFTallimo& form) : form_(form) {}
  bool HasSelection(bool warn) override { return form_.HasSelection(warn); }
  int SelectedIndex() override { return form_.EntryIndex(form_.SelectedEntry()); }

 private:
  TFTallimo& form_;
};

}  // namespace tallimo
