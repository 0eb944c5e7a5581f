#pragma once
// The gradient fill's logic: the 256-entry colour table, the system colours it resolves, and
// the band rectangles a paint fills. Drawing itself is in gradient_win32.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/system_colors.h"
#include "ui/color.h"
#include "ui/geometry.h"

namespace tallimo {

// One byte as stored in form files; any value other than gdLeftRight paints top to bottom.
enum TGradDirection : std::uint8_t { gdUpDown = 0, gdLeftRight = 1 };

struct RgbTriple {
  int r = 0;
  int g = 0;
  int b = 0;
  friend bool operator==(const RgbTriple&, const RgbTriple&) = default;
};

inline constexpr int kGradientBands = 256;
using GradientColorTable = std::array<TColor, kGradientBands>;
// A band to fill, in client coordinates.
using GradientBandRects = std::array<ui::IntRect, kGradientBands>;

// The registry value name of the system colours 0x80000001 to 0x80000018; nullptr for every
// other value (clScrollBar included).
const char* SystemColorValueName(TColor color);

// The registry's "R G B" text: each number ends at a space or the end of the text, so two
// spaces in a row give a 0 and missing numbers stay 0; each number keeps its low 8 bits.
// A text holding anything but digits and spaces gives no result.
std::optional<RgbTriple> ParseColorText(const std::string& text);

// A colour value as red, green and blue. System colours 1 to 24 are read from the source;
// an empty, absent or unreadable text, and every other value, take the value's own low
// three bytes (so an unresolved system colour is (index, 0, 0)).
RgbTriple ResolveColor(TColor color, SystemColors& source);

// The 256 plain colours from the first band to the last (start to end, or end to start when
// swap is set), interpolated in fixed point with four decimal digits.
GradientColorTable BuildColorTable(TColor colorStart, TColor colorEnd, bool swap,
                                   SystemColors& source);

// The rectangles of the 256 fills of a paint, in fill order, for a control of width x height.
// Consecutive bands overlap; a later band wins where they do.
GradientBandRects GradientBands(TGradDirection direction, int width, int height);

// The control's state: its four properties and the table built from them. Every setter
// stores its value (same value or not), rebuilds the table and then repaints at once.
class GradientFill {
 public:
  explicit GradientFill(SystemColors& source, std::function<void()> repaint = {});

  TColor ColorStart() const { return colorStart_; }
  TColor ColorEnd() const { return colorEnd_; }
  TGradDirection Direction() const { return direction_; }
  bool Swap() const { return swap_; }
  const GradientColorTable& BandColors() const { return bandColors_; }

  void SetColorStart(TColor value);
  void SetColorEnd(TColor value);
  void SetDirection(TGradDirection value);
  void SetSwap(bool value);

  void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }

 private:
  void Changed();

  SystemColors& source_;
  std::function<void()> repaint_;
  TColor colorStart_ = clBlack;
  TColor colorEnd_ = clBlue;
  TGradDirection direction_ = gdUpDown;
  bool swap_ = false;
  GradientColorTable bandColors_{};
};

}  // namespace tallimo
