#pragma once
// A status bar at the bottom of a form, with panels of given widths (the last takes the rest).
#include <string>
#include <vector>

#include "ui/win_control.h"

namespace tallimo::ui {

class StatusBar : public WinControl {
 public:
  StatusBar();
  // Widths of the panels but the last, in pixels.
  void SetPanels(const std::vector<int>& widths);
  void SetPanelText(int panel, const std::string& text);
  std::string PanelText(int panel) const;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void AfterCreate() override;
  void BoundsChanged(const TBounds& old) override;

 private:
  void ApplyParts();
  std::vector<int> widths_;
  std::vector<std::string> texts_;
};

}  // namespace tallimo::ui
