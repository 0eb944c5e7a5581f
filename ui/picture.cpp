#include "ui/picture.h"

namespace tallimo::ui {

void Picture::SetBitmap(OwnedBitmap bitmap) {
  bitmap_ = std::move(bitmap);
  SetOpaque(bitmap_ && Stretch);
  Invalidate();
}

void Picture::Paint(HDC dc) {
  if (!bitmap_) return;
  BITMAP info{};
  GetObjectW(bitmap_.Get(), sizeof info, &info);
  const MemoryDC memory(dc);
  const SelectIn selected(memory.Get(), bitmap_.Get());
  if (Stretch) {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, Width(), Height(), memory.Get(), 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
  } else {
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.Get(), 0, 0, SRCCOPY);
  }
}

OwnedBitmap LoadBitmapResource(int id, unsigned flags) {
  return OwnedBitmap(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, flags)));
}

}  // namespace tallimo::ui
