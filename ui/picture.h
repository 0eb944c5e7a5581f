#pragma once
// A windowless picture: a bitmap drawn at its own size in the top-left corner, or stretched to
// fill the control.
#include "ui/graphic_control.h"

namespace tallimo::ui {

class Picture : public GraphicControl {
 public:
  ~Picture() override;
  // The picture owns the bitmap.
  void SetBitmap(HBITMAP bitmap);
  HBITMAP Bitmap() const { return bitmap_; }
  bool Stretch = false;
  void Paint(HDC dc) override;

 private:
  HBITMAP bitmap_ = nullptr;
};

// A bitmap of the program's resources (LoadImage's `flags`), for the caller to own; null when
// the program has no such resource.
HBITMAP LoadBitmapResource(int id, unsigned flags = 0);

}  // namespace tallimo::ui
