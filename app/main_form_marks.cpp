// The marks that come from the catalogue: a category's programs marked at its header, the
// programs with Default=1 marked when the catalogue is read, and Mark Preset's named selections.
#include <windows.h>

#include "app/main_form.h"
#include "catalogue/program_groups.h"

namespace tallimo {

void TFTallimo::ToggleSelectedMarks() {
  const int row = ListBox1.Selection().Top;
  if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;  // the blank row
  defaultMarks_ = false;
  RuleMarks marks = MarksWithRules();
  // A program that is not for this computer cannot be marked.
  if (!ToggleRowMarks(marks, rows_, static_cast<size_t>(row))) MessageBeep(MB_OK);
  ShowMarks();
}

void TFTallimo::UpdatePresetMenu() {
  StringList presets = CataloguePresets(Cat.ProgramList).Names();
  ppMarkPreset1->SetEnabled(!presets.empty());
  if (presets == presets_ && ppMarkPreset1->Items().size() == presets.size()) return;
  presets_ = std::move(presets);
  ppMarkPreset1->ClearItems();
  const StringList captions = PresetMenuCaptions(presets_);
  for (size_t i = 0; i < presets_.size(); ++i) {
    ui::MenuItem& item = ppMarkPreset1->Add("ppPreset", captions[i], 37);
    item.OnClick = [this, i] { ppMarkPreset1Click(presets_[i]); };
  }
}

void TFTallimo::ppMarkPreset1Click(const std::string& preset) {
  defaultMarks_ = false;
  RuleMarks marks = MarksWithRules();
  MarkPreset(marks, allEntries_, preset);
  ShowMarks();
}

}  // namespace tallimo
