#pragma once
// A drop-down combo box: an edit that takes any text, with a list of texts to pick from; or,
// with ListOnly, a drop-down list whose text is always one of its items.
#include <string>
#include <vector>

#include "ui/win_control.h"

namespace tallimo::ui {

class ComboBox : public WinControl {
 public:
  ComboBox();
  std::string Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }
  // The texts of the drop-down list, in this order; the edit's text stays.
  void SetItems(const std::vector<std::string>& items);
  const std::vector<std::string>& Items() const { return items_; }
  // The item picked, -1 for none; kept while the window does not exist.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Set before the window is made: no edit, only the items can be picked.
  bool ListOnly = false;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void AfterCreate() override;

 private:
  void FillList();
  std::vector<std::string> items_;
  mutable int selected_ = -1;
};

}  // namespace tallimo::ui
