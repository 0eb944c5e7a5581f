#include "ui/gdi.h"

#include "platform/wide.h"

namespace tallimo::ui {

const std::string& ScreenFace(const std::string& designFace) {
  // A bitmap font with ANSI glyphs only: its TrueType successor, which the system links to
  // fonts for other scripts, draws any name at the same size.
  static const std::string successor = "Microsoft Sans Serif";
  return designFace == "MS Sans Serif" ? successor : designFace;
}

LOGFONTW FontDescription(const TFont& font) {
  LOGFONTW lf{};
  lf.lfHeight = -font.height;
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = font.charset;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = font.pitchAndFamily;
  lstrcpynW(lf.lfFaceName, Widen(ScreenFace(font.name)).c_str(), LF_FACESIZE);
  return lf;
}

OwnedFont MakeFont(const TFont& font) {
  const LOGFONTW lf = FontDescription(font);
  return OwnedFont(CreateFontIndirectW(&lf));
}

OffscreenImage::OffscreenImage(int width, int height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0 || !dc_) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) return;
  oldBitmap_ = SelectObject(dc_.Get(), bitmap_.Get());
  bits_ = static_cast<std::uint32_t*>(bits);
}

OffscreenImage::~OffscreenImage() {
  // Put the DC's own objects back, so that ours can be deleted.
  if (oldFont_) SelectObject(dc_.Get(), oldFont_);
  if (oldBitmap_) SelectObject(dc_.Get(), oldBitmap_);
}

TColor OffscreenImage::Pixel(int x, int y) const {
  GdiFlush();
  return BitmapWordToColor(Row(y)[x]);
}

void OffscreenImage::SetFont(OwnedFont font) {
  if (!dc_ || !font) return;
  HGDIOBJ previous = SelectObject(dc_.Get(), font.Get());
  if (!oldFont_) oldFont_ = previous;
  font_ = std::move(font);  // the previous font is deleted here, no longer selected
}

}  // namespace tallimo::ui
