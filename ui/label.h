#pragma once
// A windowless label: a caption ("&" marks the accelerator letter), left, centred or right,
// on its own colour or transparent.
#include <string>

#include "ui/control_values.h"
#include "ui/graphic_control.h"

namespace tallimo::ui {

class Label : public GraphicControl {
 public:
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TAlignment Alignment = TAlignment::taLeftJustify;
  bool Transparent = false;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool WordWrap = false;
  // The control that Alt and the caption's accelerator letter focus (see Form).
  WinControl* FocusControl = nullptr;
  void Paint(HDC dc) override;

 private:
  std::string caption_;
  TColor color_ = clBtnFace;
};

}  // namespace tallimo::ui
