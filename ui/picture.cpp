#include "ui/picture.h"

namespace tallimo::ui {

Picture::~Picture() {
  if (bitmap_) DeleteObject(bitmap_);
}

void Picture::SetBitmap(HBITMAP bitmap) {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = bitmap;
  SetOpaque(bitmap && Stretch);
  Invalidate();
}

void Picture::Paint(HDC dc) {
  if (!bitmap_) return;
  BITMAP info{};
  GetObjectA(bitmap_, sizeof info, &info);
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, bitmap_);
  if (Stretch) {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, Width(), Height(), mem, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  } else {
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, mem, 0, 0, SRCCOPY);
  }
  SelectObject(mem, old);
  DeleteDC(mem);
}

HBITMAP LoadBitmapResource(int id, unsigned flags) {
  return static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, flags));
}

}  // namespace tallimo::ui
