#pragma once
// A check box (a BUTTON of the auto-check kind). It shows its parent's background around the
// box, so it sits on a gradient or a picture without a patch of its own colour.
#include "ui/win_control.h"

namespace tallimo::ui {

class CheckBox : public WinControl {
 public:
  CheckBox();
  bool Checked() const;
  void SetChecked(bool checked);
  // Alt and the caption's letter: focused and toggled, as a dialog's check box is.
  bool DialogChar(wchar_t key) override;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void AfterCreate() override;
  HBRUSH ControlColor(HDC dc) override;

 private:
  mutable bool checked_ = false;
};

}  // namespace tallimo::ui
