#pragma once
// A status or result text in a window of its own (a STATIC control), so that screen readers and
// scripts read it with the window's text; drawn on its own colour or, Transparent, on what its
// parent paints under it.
#include <string>

#include "ui/win_control.h"

namespace tallimo::ui {

class StaticText : public WinControl {
 public:
  void SetCaption(const std::string& caption);
  bool Transparent = false;
  // The control takes the size of its caption (one line) whenever the caption or font changes.
  bool AutoSize = false;
  void SetAutoSize(bool autoSize);

 protected:
  void FillCreateParams(CreateParams& params) override;
  HBRUSH ControlColor(HDC dc) override;
  void FontChanged() override;

 private:
  void AdjustBounds();
};

}  // namespace tallimo::ui
