#pragma once
// Owning wrappers for GDI objects and device contexts, so that every path out of a paint (the
// failing one included) releases what it made, and the one font helper every window uses.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <utility>

#include "ui/control.h"

namespace tallimo::ui {

// A pen, brush, font, bitmap or region, deleted with the wrapper. Empty when creation failed.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }
  // Gives the handle up to a new owner.
  Handle Release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedPen = GdiObject<HPEN>;
using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedRegion = GdiObject<HRGN>;

// A memory device context compatible with `dc` (the screen when null), deleted with the wrapper.
class MemoryDC {
 public:
  explicit MemoryDC(HDC dc = nullptr) : dc_(CreateCompatibleDC(dc)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// A window's device context (the screen's when the window is null), released with the wrapper.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Saves a device context's state (clip, origin, selected objects ...) and restores it on
// destruction, on every path.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;
  ~SavedDC() {
    if (saved_) RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

// Selects an object into a device context and puts the previous one back on destruction, so that
// the object can be deleted afterwards.
class SelectIn {
 public:
  SelectIn(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  SelectIn(const SelectIn&) = delete;
  SelectIn& operator=(const SelectIn&) = delete;
  ~SelectIn() {
    if (old_) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The face a designed face is drawn with: "MS Sans Serif" becomes "Microsoft Sans Serif".
const std::string& ScreenFace(const std::string& designFace);
// The description MakeFont creates a font from, for callers that alter it first (quality,
// escapement ...).
LOGFONTW FontDescription(const TFont& font);
// The GDI font for a designed font (height in pixels, weight, character set and pitch).
OwnedFont MakeFont(const TFont& font);

// An off-screen image: a 32-bit top-down bitmap selected into a memory DC of its own, with
// direct access to its pixels, and the font it draws with. Bitmap, font and DC are released
// with it, on every path. Empty (not Valid) when the system could not make it.
class OffscreenImage {
 public:
  OffscreenImage(int width, int height);
  OffscreenImage(const OffscreenImage&) = delete;
  OffscreenImage& operator=(const OffscreenImage&) = delete;
  ~OffscreenImage();

  bool Valid() const { return bits_ != nullptr; }
  HDC Dc() const { return dc_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // A pixel as a 0x00BBGGRR colour, once GDI's drawing on the image has finished.
  TColor Pixel(int x, int y) const;
  // Row y as the bitmap stores it: 0x00RRGGBB words (call GdiFlush after drawing first).
  std::uint32_t* Row(int y) const { return bits_ + static_cast<std::ptrdiff_t>(y) * width_; }

  // Makes `font` the image's font; the previous one is released.
  void SetFont(OwnedFont font);
  HFONT Font() const { return font_.Get(); }

 private:
  int width_;
  int height_;
  MemoryDC dc_;
  OwnedBitmap bitmap_;
  OwnedFont font_;
  HGDIOBJ oldBitmap_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// A bitmap word (0x00RRGGBB) and a colour value (0x00BBGGRR) one from the other.
inline constexpr std::uint32_t ColorToBitmapWord(TColor color) {
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
inline constexpr TColor BitmapWordToColor(std::uint32_t word) {
  return ColorToBitmapWord(word & 0xFFFFFF);
}

}  // namespace tallimo::ui
