#pragma once
// A windowless picture: a bitmap drawn at its own size in the top-left corner, or stretched to
// fill the control.
#include "ui/gdi.h"
#include "ui/graphic_control.h"

namespace tallimo::ui {

class Picture : public GraphicControl {
 public:
  // The picture owns the bitmap.
  void SetBitmap(OwnedBitmap bitmap);
  // Takes over a bitmap just made (LoadImage ...): the picture deletes it.
  HBITMAP Bitmap() const { return bitmap_.Get(); }
  bool Stretch = false;
  void Paint(HDC dc) override;

 private:
  OwnedBitmap bitmap_;
};

// A bitmap of the program's resources (LoadImage's `flags`); empty when the program has no such
// resource.
OwnedBitmap LoadBitmapResource(int id, unsigned flags = 0);

}  // namespace tallimo::ui
