#include "ui/control.h"

#include <algorithm>

#include "platform/wide.h"
#include "ui/layout_fit.h"
#include "ui/win_control.h"

namespace tallimo::ui {

COLORREF ColorToRGB(TColor color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0xFFFFFF;
}

bool IsAccelerator(wchar_t key, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {  // "&&" shows one "&"
      ++i;
      continue;
    }
    // The letter after "&" (any character), in upper case as the system's keys give it.
    const std::wstring letter = Widen(std::string_view(caption).substr(i + 1));
    if (letter.empty()) return false;
    auto upper = [](wchar_t c) {
      return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(
          CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
    };
    return upper(letter[0]) == upper(key);
  }
  return false;
}

Control::~Control() {
  if (parent_) parent_->RemoveChild(this);
}

void Control::SetParent(WinControl* parent) {
  if (parent_ == parent) return;
  if (parent_) parent_->RemoveChild(this);
  parent_ = parent;
  if (parent_) parent_->InsertChild(this);
}

void Control::SetBounds(int left, int top, int width, int height) {
  TBounds old = bounds_;
  if (old.left == left && old.top == top && old.width == width && old.height == height) return;
  bounds_ = {left, top, std::max(width, 0), std::max(height, 0)};
  BoundsChanged(old);
  if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

void Place(Control& control, const ControlDesign& design) {
  control.Name = design.name;
  control.SetParent(design.parent);
  if (!(design.bounds == TBounds{}))
    control.SetBounds(design.bounds.left, design.bounds.top, design.bounds.width,
                      design.bounds.height);
  if (design.align != TAlign::alNone) control.SetAlign(design.align);
  if (design.hint) control.Hint = design.hint;
  if (design.helpContext) control.HelpContext = design.helpContext;
}

void Control::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->Realign();
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

const TFont& Control::Font() const {
  if (ParentFont && parent_) return parent_->Font();
  return font_;
}

void Control::SetFont(const TFont& font) {
  font_ = font;
  ParentFont = false;
  FontChanged();
}

void Control::ScaleBy(int num, int den) {
  TBounds b = bounds_;
  b.left = FitDesignSize(b.left, num, den);
  b.top = FitDesignSize(b.top, num, den);
  b.width = FitDesignSize(b.width, num, den);
  b.height = FitDesignSize(b.height, num, den);
  if (!ParentFont) font_.height = FitDesignSize(font_.height, num, den);
  TBounds old = bounds_;
  bounds_ = b;
  BoundsChanged(old);
  if (!ParentFont) FontChanged();
}

}  // namespace tallimo::ui
