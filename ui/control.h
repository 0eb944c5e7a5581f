#pragma once
// The common base of every control of our window layer: a name, bounds in the parent's client
// coordinates, an alignment, a hint and a help context number. Windowed controls (WinControl)
// own an HWND; graphic controls (GraphicControl) are painted by their parent.
#include <windows.h>

#include <string>

#include "ui/color.h"
#include "ui/control_values.h"
#include "ui/geometry.h"

namespace tallimo::ui {

class WinControl;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

inline constexpr TColor clHighlight = 0x8000000D, clHighlightText = 0x8000000E;
// The colour as GDI takes it (system colours looked up now).
COLORREF ColorToRGB(TColor color);

// A font as designed: pixel height of the characters (design pixels until the form is fitted).
struct TFont {
  std::string name = "MS Sans Serif";
  int height = 14;
  bool bold = false;
  TColor color = clWindowText;
  // DEFAULT_CHARSET, or OEM_CHARSET for text drawn with the DOS code page's characters.
  BYTE charset = DEFAULT_CHARSET;
  // DEFAULT_PITCH, or FIXED_PITCH | FF_MODERN when a fixed-pitch face must stand in.
  BYTE pitchAndFamily = DEFAULT_PITCH;
};

// Whether `key` is the accelerator letter of `caption` (the character after a single "&"),
// ignoring case.
bool IsAccelerator(wchar_t key, const std::string& caption);

// A designed font: its face, pixel height, colour and weight.
inline TFont FontOf(const char* name, int height, TColor color = clWindowText, bool bold = false) {
  TFont f;
  f.name = name;
  f.height = height;
  f.color = color;
  f.bold = bold;
  return f;
}

class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  std::string Name;
  std::string Hint;
  int HelpContext = 0;  // 0: the enclosing control or window answers

  WinControl* Parent() const { return parent_; }
  // Places the control in `parent`, on top of the siblings placed before it.
  void SetParent(WinControl* parent);

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  const TBounds& Bounds() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, bounds_.top, bounds_.width, bounds_.height); }
  void SetTop(int v) { SetBounds(bounds_.left, v, bounds_.width, bounds_.height); }
  void SetWidth(int v) { SetBounds(bounds_.left, bounds_.top, v, bounds_.height); }
  void SetHeight(int v) { SetBounds(bounds_.left, bounds_.top, bounds_.width, v); }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);

  // The control's own font; ParentFont makes it follow its parent's.
  bool ParentFont = true;
  const TFont& Font() const;
  void SetFont(const TFont& font);

  virtual bool IsWindowed() const { return false; }
  // The parent's font changed (for controls that follow it).
  void NotifyParentFontChanged() { FontChanged(); }

  // Fits design sizes to the screen: bounds and font heights times num / den (MulDiv).
  virtual void ScaleBy(int num, int den);

  // Alt and a letter were pressed in the control's form: true when the control answers to that
  // accelerator (and has acted on it). The form asks its controls in z-order.
  virtual bool DialogChar(wchar_t key) {
    (void)key;
    return false;
  }

 protected:
  friend class WinControl;
  // The bounds changed (after SetBounds or alignment): move the window, repaint.
  virtual void BoundsChanged(const TBounds& old) { (void)old; }
  virtual void FontChanged() {}

  WinControl* parent_ = nullptr;
  TBounds bounds_;
  TAlign align_ = TAlign::alNone;
  bool visible_ = true;
  TFont font_;
};

// A control as the designer placed it: its name, its parent, its bounds in design pixels, how it
// is aligned, its hint and help context. What is left out keeps the control's default.
struct ControlDesign {
  const char* name = "";
  WinControl* parent = nullptr;
  TBounds bounds{};  // all 0: the control's own
  TAlign align = TAlign::alNone;
  const char* hint = nullptr;
  int helpContext = 0;
};
void Place(Control& control, const ControlDesign& design);

}  // namespace tallimo::ui
