#pragma once
// Owning wrappers for GDI objects and device contexts, so that every path out of a paint (the
// failing one included) releases what it made, and the one font helper every window uses.
#include <windows.h>

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

// The GDI font for a designed font (height in pixels, weight, character set and pitch).
OwnedFont MakeFont(const TFont& font);

}  // namespace tallimo::ui
