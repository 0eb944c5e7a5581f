#pragma once
// A list box of text items (LISTBOX), single selection, items kept here and in the control.
#include <string>
#include <vector>

#include "ui/win_control.h"

namespace tallimo::ui {

class ListBox : public WinControl {
 public:
  ListBox();
  void SetItems(const std::vector<std::string>& items);
  // Replaces one item's text, keeping the selection.
  void SetItem(size_t index, const std::string& text);
  const std::vector<std::string>& Items() const { return items_; }
  // The text the control holds at `index` (read from the window when it exists).
  std::string ItemText(size_t index) const;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void AfterCreate() override;

 private:
  std::vector<std::string> items_;
};

}  // namespace tallimo::ui
