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
  std::string SelectedText() override {
    ui::TGridRect selection = form_.ListBox1.Selection();
    return form_.ListBox1.Cell(selection.Left, selection.Top);
  }
  int FindProgramIndex(const std::string& name) override { return form_.FindProgramIndex(name); }

 private:
  TFTallimo& form_;
};

}  // namespace tallimo
