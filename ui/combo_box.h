#pragma once
// A drop-down combo box: an edit that takes any text, with a list of texts to pick from.
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

 protected:
  void FillCreateParams(CreateParams& params) override;
  void AfterCreate() override;

 private:
  void FillList();
  std::vector<std::string> items_;
};

}  // namespace tallimo::ui
