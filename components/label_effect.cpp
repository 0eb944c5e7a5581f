// The label effect's properties, schemes, styles and button behaviour, and its painting
// arithmetic.
#include "components/label_effect.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ui/layout_fit.h"

namespace tallimo {

using ui::TAlignment;

EffectOffset DirectionOffset(TEffectDirection direction) {
  return direction < DirectionOffsets.size() ? DirectionOffsets[direction] : EffectOffset{};
}

AngleCache MakeAngleCache(int angle) {
  const double radians = angle * kRadiansPerDegree;
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  return {c, s, c * c, s * s};
}

// ---- Properties ----

void LabelEffect::SetDepthHighlight(int value) {
  value = std::clamp(value, 0, kMaxEffectDepth);
  if (value == depthHighlight_) return;
  depthHighlight_ = value;
  if (!applyingStyle_) SetEffectStyle(esCustom);
  EffectChanged();
}

void LabelEffect::SetDepthShadow(int value) {
  value = std::clamp(value, 0, kMaxEffectDepth);
  if (value == depthShadow_) return;
  depthShadow_ = value;
  if (!applyingStyle_) SetEffectStyle(esCustom);
  EffectChanged();
}

void LabelEffect::SetDirectionHighlight(TEffectDirection value) {
  if (value == directionHighlight_) return;
  directionHighlight_ = value;
  if (!applyingStyle_) SetEffectStyle(esCustom);
  EffectChanged();
}

void LabelEffect::SetDirectionShadow(TEffectDirection value) {
  if (value == directionShadow_) return;
  directionShadow_ = value;
  if (!applyingStyle_) SetEffectStyle(esCustom);
  EffectChanged();
}

void LabelEffect::SetColourHighlight(TColor value) {
  if (value == colourHighlight_) return;
  colourHighlight_ = value;
  customRow_.highlight = value;
  if (!applyingScheme_) SetColourScheme(csCustom);
  EffectChanged();
}

void LabelEffect::SetColourShadow(TColor value) {
  if (value == colourShadow_) return;
  colourShadow_ = value;
  customRow_.shadow = value;
  if (!applyingScheme_) SetColourScheme(csCustom);
  EffectChanged();
}

void LabelEffect::SetGraduateFace(TGraduateOption value) {
  if (value == graduateFace_) return;
  graduateFace_ = value;
  EffectChanged();
}

void LabelEffect::SetGraduateFrom(TColor value) {
  if (value == graduateFrom_) return;
  graduateFrom_ = value;
  if (graduateFace_ != goNone) EffectChanged();
}

void LabelEffect::SetStyleHighlight(TEffectOption value) {
  if (value == styleHighlight_) return;
  styleHighlight_ = value;
  EffectChanged();
}

void LabelEffect::SetStyleShadow(TEffectOption value) {
  if (value == styleShadow_) return;
  styleShadow_ = value;
  EffectChanged();
}

void LabelEffect::SetEffectStyle(TEffectStyle value) {
  if (value == effectStyle_) return;
  applyingStyle_ = true;
  applyingScheme_ = true;
  effectStyle_ = value;
  // Under a predefined scheme this undoes the highlight that an earlier esFlying set.
  SetColourHighlight(SchemeColours(colourScheme_).highlight);
  const auto apply = [this](TEffectDirection highlight, TEffectDirection shadow, int depthHighlight,
                            int depthShadow) {
    SetDirectionHighlight(highlight);
    SetDirectionShadow(shadow);
    SetDepthHighlight(depthHighlight);
    SetDepthShadow(depthShadow);
  };
  switch (value) {
    case esNone:
      apply(edNone, edNone, 0, 0);
      SetAsButton(false);
      break;
    case esCustom:
      SetAsButton(false);
      break;
    case esRaised:  // the button's own styles leave AsButton alone
      apply(edUpLeft, edDownRight, 1, 1);
      break;
    case esSunken:
      apply(edDownRight, edUpLeft, 1, 1);
      break;
    case esShadow:
      apply(edNone, edDownRight, 0, 2);
      SetAsButton(false);
      break;
    case esFlying:
      apply(edDownRight, edDownRight, 1, 5);
      SetColourHighlight(SchemeColours(colourScheme_).shadow);
      SetAsButton(false);
      break;
  }
  applyingStyle_ = false;
  applyingScheme_ = false;
}

void LabelEffect::SetColourScheme(TColourScheme value) {
  if (value == colourScheme_) return;
  applyingScheme_ = true;
  colourScheme_ = value;
  const SchemeRow row = SchemeColours(value);
  SetColourHighlight(row.highlight);
  SetFontColour(row.face);
  SetColourShadow(row.shadow);
  if (value != csCustom) customRow_ = row;
  applyingScheme_ = false;
}

void LabelEffect::SetAsButton(bool value) {
  if (value == asButton_) return;
  asButton_ = value;
  if (value) SetEffectStyle(esRaised);
}

void LabelEffect::SetAngle(int value) {
  value = std::clamp(value, 0, kMaxEffectAngle);
  if (value == angle_) return;
  angle_ = value;
  angles_ = MakeAngleCache(value);
  if (value != 0) SetAlignment(TAlignment::taLeftJustify);
  EffectChanged();
}

void LabelEffect::SetKeepLettersVertical(bool value) {
  if (value == keepLettersVertical_) return;
  keepLettersVertical_ = value;
  if (angle_ != 0) EffectChanged();
}

void LabelEffect::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  EffectChanged();
}

const SchemeRow& LabelEffect::SchemeColours(TColourScheme scheme) const {
  if (scheme == csCustom || scheme >= kSchemeRows.size()) return customRow_;
  return kSchemeRows[scheme];
}

// ---- The push-button behaviour ----

namespace {
bool InsideInclusive(int x, int y, int width, int height) {
  return x >= 0 && x <= width && y >= 0 && y <= height;
}
}  // namespace

bool LabelEffect::ButtonPress(ui::TMouseButton button, bool enabled) {
  if (!asButton_) return false;
  if (button == ui::TMouseButton::mbLeft && effectStyle_ != esSunken && enabled)
    SetEffectStyle(esSunken);
  return true;
}

bool LabelEffect::ButtonMove(ui::TShiftState shift, int x, int y, int clientWidth,
                             int clientHeight) {
  if (!asButton_) return false;
  if (shift == ui::ssLeft)
    SetEffectStyle(InsideInclusive(x, y, clientWidth, clientHeight) ? esSunken : esRaised);
  return true;
}

bool LabelEffect::ButtonRelease(int x, int y, int clientWidth, int clientHeight) {
  if (!asButton_) return false;
  if (InsideInclusive(x, y, clientWidth, clientHeight)) SetEffectStyle(esRaised);
  return true;
}

// ---- Painting arithmetic ----

double ColourStep::Value() const {
  return std::ldexp(static_cast<double>(mantissa), -shift);
}

ColourStep MakeColourStep(int difference, int steps) {
  if (steps == 0 || difference == 0) return {};
  const bool negative = (difference < 0) != (steps < 0);
  const std::uint64_t den = static_cast<std::uint64_t>(std::llabs(steps));
  // Binary long division until the quotient has 41 significant bits: 40 kept, one to round.
  std::uint64_t q = static_cast<std::uint64_t>(std::llabs(difference)) / den;
  std::uint64_t r = static_cast<std::uint64_t>(std::llabs(difference)) % den;
  int shift = 0;
  constexpr std::uint64_t kFortyOneBits = std::uint64_t{1} << 40;
  while (q < kFortyOneBits) {
    r <<= 1;
    q <<= 1;
    if (r >= den) {
      q |= 1;
      r -= den;
    }
    ++shift;
  }
  // A set rounding bit means half or more: away from zero.
  const std::uint64_t mantissa = (q >> 1) + (q & 1);
  const auto signedMantissa = static_cast<std::int64_t>(mantissa);
  return {negative ? -signedMantissa : signedMantissa, shift - 1};
}

int RoundedMultiple(const ColourStep& step, int i) {
  if (step.mantissa == 0 || i == 0) return 0;
  const bool negative = (step.mantissa < 0) != (i < 0);
  // |mantissa| <= 2^40 and |i| <= 2^22: the product is exact.
  const std::uint64_t product = static_cast<std::uint64_t>(std::llabs(step.mantissa)) *
                                static_cast<std::uint64_t>(std::llabs(i));
  std::uint64_t q = 0;
  if (step.shift <= 0) {
    q = product << -step.shift;
  } else if (step.shift < 63) {
    q = product >> step.shift;
    const std::uint64_t rest = product & ((std::uint64_t{1} << step.shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (step.shift - 1);
    if (rest > half || (rest == half && (q & 1))) ++q;
  }  // else below a half: 0
  const auto result = static_cast<int>(q);
  return negative ? -result : result;
}

ColourRamp::ColourRamp(TColor from, TColor to, int steps)
    : from_{RedOf(from), GreenOf(from), BlueOf(from)},
      inc_{MakeColourStep(RedOf(to) - RedOf(from), steps),
           MakeColourStep(GreenOf(to) - GreenOf(from), steps),
           MakeColourStep(BlueOf(to) - BlueOf(from), steps)} {}

TColor ColourRamp::At(int i) const {
  std::uint32_t channel[3];
  for (int c = 0; c < 3; ++c)
    channel[c] = static_cast<std::uint32_t>(from_[c] + RoundedMultiple(inc_[c], i)) & 0xFF;
  return RgbColor(channel[0], channel[1], channel[2]);
}

LayerSpread ComputeLayerSpread(TEffectDirection directionHighlight, int depthHighlight,
                               TEffectDirection directionShadow, int depthShadow,
                               TAlignment alignment) {
  const EffectOffset h = DirectionOffset(directionHighlight);
  const EffectOffset s = DirectionOffset(directionShadow);
  const int offsets[] = {0, h.dx * depthHighlight, h.dy * depthHighlight, s.dx * depthShadow,
                         s.dy * depthShadow};
  LayerSpread spread;
  spread.MinOffset = *std::min_element(std::begin(offsets), std::end(offsets));
  spread.MaxOffset = *std::max_element(std::begin(offsets), std::end(offsets));
  const int range = spread.MaxOffset - spread.MinOffset;
  if (alignment == TAlignment::taRightJustify) spread.AlignShift = range;
  if (alignment == TAlignment::taCenter) spread.AlignShift = range / 2;
  return spread;
}

std::vector<EffectLayer> LayerStack(TEffectOption style, int depth, TColor colour,
                                    TColor faceColour) {
  if (style == eoReal) return {{depth, clBlack}};
  const bool stacked = (style == eoExtrude || style == eoGraduated) && depth > 1;
  const int first = stacked ? 1 : depth;
  const bool graduated = style == eoGraduated && depth > 1;
  const ColourRamp ramp(colour, graduated ? faceColour : colour, graduated ? depth - 1 : 0);
  std::vector<EffectLayer> layers;
  for (int k = depth; k >= first; --k) layers.push_back({k, ramp.At(depth - k)});
  return layers;
}

TColor HalfTowardsBlack(TColor pixel) {
  return RgbColor(RedOf(pixel) / 2, GreenOf(pixel) / 2, BlueOf(pixel) / 2);
}

TColor HalfTowardsWhite(TColor pixel) {
  return RgbColor((RedOf(pixel) + 255) / 2, (GreenOf(pixel) + 255) / 2, (BlueOf(pixel) + 255) / 2);
}

ui::IntRect UnrotatedTextRect(const LayerSpread& spread, int width, int height, int ox, int oy) {
  const int left = -spread.MinOffset - spread.AlignShift + ox;
  const int top = -spread.MinOffset + oy;
  return {left, top, left + width, top + height};
}

namespace {
int Trunc(double value) {
  return static_cast<int>(std::trunc(value));
}
}  // namespace

RotatedLayout LayOutRotated(int textWidth, int textHeight, int paddedWidth,
                            const LayerSpread& spread, const AngleCache& angles) {
  const double cosA = angles.CosAngle;
  const double sinA = angles.SinAngle;
  const int c = paddedWidth / 2;
  RotatedLayout layout;
  layout.OriginX = c - Trunc(textWidth * 0.5 * cosA) - Trunc(textHeight * 0.5 * sinA);
  layout.OriginY = c + Trunc(textWidth * 0.5 * sinA) - Trunc(textHeight * 0.5 * cosA);
  // The box around the text and its layers; its size pools both offsets as the design has it.
  const int c2 = c + (spread.MaxOffset - spread.MinOffset + 4) / 2;
  const int w2 = textWidth + spread.MaxOffset + spread.MinOffset + 4;
  const int h2 = textHeight + spread.MaxOffset + spread.MinOffset + 4;
  const int a = Trunc(w2 * 0.5 * cosA);
  const int b = Trunc(h2 * 0.5 * sinA);
  const int d = Trunc(w2 * 0.5 * sinA);
  const int e = Trunc(h2 * 0.5 * cosA);
  layout.Corners = {{{c2 - a - b + 2, c2 + d - e + 2},
                     {c2 + a - b + 2, c2 - d - e + 2},
                     {c2 + a + b + 2, c2 - d + e + 2},
                     {c2 - a + b + 2, c2 + d + e + 2}}};
  return layout;
}

UprightLayout LayOutUpright(const std::vector<int>& prefixWidths, int textHeight, int firstWidth,
                            int lastWidth, const LayerSpread& spread, const AngleCache& angles) {
  const int n = static_cast<int>(prefixWidths.size());
  const auto along = [&](int width, int index) {
    return ui::RoundHalfEven(width * angles.CosSquared + textHeight * index * angles.SinSquared);
  };
  UprightLayout layout;
  layout.PathLength.resize(prefixWidths.size());
  for (int i = 1; i < n; ++i) layout.PathLength[i] = along(prefixWidths[i], i);
  const int length = along(n > 0 ? prefixWidths[n - 1] : 0, n - 1);
  const int runX = ui::RoundHalfEven(length * angles.CosAngle);
  const int runY = ui::RoundHalfEven(length * angles.SinAngle);
  layout.OriginX = std::max(0, -runX) + 10;
  layout.OriginY = std::max(0, runY) + 10;
  const int room = spread.MaxOffset - spread.MinOffset + 4;
  layout.FirstLetterBox = {layout.OriginX - 2, layout.OriginY - 2, firstWidth + room,
                           textHeight + room};
  layout.LastLetterBox = {layout.OriginX - 2 + runX, layout.OriginY - 2 - runY, lastWidth + room,
                          textHeight + room};
  return layout;
}

ui::IntPoint UprightLetterAt(const UprightLayout& layout, const LayerSpread& spread,
                             const AngleCache& angles, int i, int ox, int oy) {
  const int length = layout.PathLength[static_cast<std::size_t>(i)];
  const int dX = ui::RoundHalfEven(length * angles.CosAngle);
  const int dY = ui::RoundHalfEven(length * angles.SinAngle);
  return {layout.OriginX - spread.MinOffset + dX + ox, layout.OriginY - spread.MinOffset - dY + oy};
}

std::optional<std::array<ui::IntPoint, 6>> UprightHexagon(int angle, const ui::TBounds& f,
                                                          const ui::TBounds& l) {
  const ui::IntPoint fTL{f.left, f.top}, fTR{f.Right(), f.top}, fBL{f.left, f.Bottom()},
      fBR{f.Right(), f.Bottom()};
  const ui::IntPoint lTL{l.left, l.top}, lTR{l.Right(), l.top}, lBL{l.left, l.Bottom()},
      lBR{l.Right(), l.Bottom()};
  if (angle >= 1 && angle <= 90) return std::array<ui::IntPoint, 6>{fTL, lTL, lTR, lBR, fBR, fBL};
  if (angle >= 91 && angle <= 180) return std::array<ui::IntPoint, 6>{fTR, lTR, lTL, lBL, fBL, fBR};
  if (angle >= 181 && angle <= 270)
    return std::array<ui::IntPoint, 6>{fTL, lTL, lBL, lBR, fBR, fTR};
  if (angle >= 271 && angle <= 360)
    return std::array<ui::IntPoint, 6>{fTR, lTR, lBR, lBL, fBL, fTL};
  return std::nullopt;
}

FaceExtent UnrotatedFaceExtent(int faceWidth, int textHeight, int width, const LayerSpread& spread,
                               TAlignment alignment, TGraduateOption option) {
  FaceExtent face;
  face.sy = -spread.MinOffset;
  switch (alignment) {
    case TAlignment::taLeftJustify:
      face.sx = -spread.MinOffset;
      break;
    case TAlignment::taCenter:
      face.sx = (width - faceWidth) / 2 - spread.MinOffset - spread.AlignShift;
      break;
    case TAlignment::taRightJustify:
      face.sx = width - spread.MaxOffset - faceWidth;
      break;
  }
  face.E = option == goHorizontal ? faceWidth - 1 : textHeight - 1;
  return face;
}

FaceExtent RotatedFaceExtent(const std::array<ui::IntPoint, 4>& corners, TGraduateOption option) {
  const auto [minX, maxX] = std::minmax({corners[0].x, corners[1].x, corners[2].x, corners[3].x});
  const auto [minY, maxY] = std::minmax({corners[0].y, corners[1].y, corners[2].y, corners[3].y});
  return {minX, minY, option == goHorizontal ? maxX - minX : maxY - minY};
}

FaceExtent UprightFaceExtent(const ui::TBounds& first, const ui::TBounds& last,
                             TGraduateOption option) {
  FaceExtent face;
  face.sx = std::min(first.left, last.left);
  face.sy = std::min(first.top, last.top);
  face.E = option == goHorizontal ? std::max(first.Right(), last.Right()) - face.sx
                                  : std::max(first.Bottom(), last.Bottom()) - face.sy;
  return face;
}

ui::IntRect FaceBand(TGraduateOption option, const FaceExtent& face, int i, int width, int height) {
  if (option == goHorizontal) return {face.sx + i, 0, face.sx + i + 1, height};
  return {0, face.sy + i, width, face.sy + i + 1};
}

}  // namespace tallimo
