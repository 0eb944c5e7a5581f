#pragma once
// The label effect control: a windowless label whose caption is drawn with shadow and
// highlight layers, a face that may be graduated, and rotation of the whole text or of its
// path only. Each paint composes the label off-screen over what its parent painted under it
// and copies the result in one step.
#include <windows.h>

#include <string>

#include "components/label_effect.h"
#include "ui/graphic_control.h"

namespace tallimo {

class TLabelEffect : public ui::GraphicControl, public LabelEffect {
 public:
  // 142 x 33, transparent, "Times New Roman" of 20 points in the csWindows face colour; the
  // effect properties at their defaults.
  TLabelEffect();

  // Changing any of these repaints the label later.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // The background of a label that is not transparent.
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // A disabled label takes no mouse events and no clicks.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  void Paint(HDC dc) override;

  void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
  void MouseMove(ui::TShiftState shift, int x, int y) override;
  void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
  void Click() override;

 protected:
  TColor FontColour() const override { return Font().color; }
  void SetFontColour(TColor colour) override;
  void EffectChanged() override { Invalidate(); }
  void FontChanged() override { Invalidate(); }

 private:
  std::string caption_;
  TColor color_ = clWindow;
  bool transparent_ = true;
  bool enabled_ = true;
};

}  // namespace tallimo
