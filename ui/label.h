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
  // The label takes the size of its caption (one line) whenever the caption or font changes.
  bool AutoSize = false;
  void SetAutoSize(bool autoSize);
  // The control that its accelerator letter focuses (none: the letter does nothing).
  WinControl* FocusControl = nullptr;
  bool DialogChar(wchar_t key) override;
  void Paint(HDC dc) override;

 protected:
  void FontChanged() override;

 private:
  void AdjustBounds();
  std::string caption_;
  TColor color_ = clBtnFace;
};

}  // namespace tallimo::ui
