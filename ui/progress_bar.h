#pragma once
// A progress bar (the common controls' progress class): a position out of a maximum.
#include "ui/win_control.h"

namespace tallimo::ui {

class ProgressBar : public WinControl {
 public:
  void SetMax(int max);
  void SetPosition(int position);
  int Max() const { return max_; }
  int Position() const { return position_; }

 protected:
  void FillCreateParams(CreateParams& params) override;
  void AfterCreate() override;

 private:
  int max_ = 100;
  int position_ = 0;
};

}  // namespace tallimo::ui
