#pragma once
// The label effect's logic: its properties with their defaults, the colour schemes, the effect
// styles and their effects on one another, the push-button behaviour, and the arithmetic of its
// painting (layer offsets, the geometry of the three text modes, layer and band colours with
// their rounding). Painting itself is in label_effect_win32.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "ui/color.h"
#include "ui/control_values.h"
#include "ui/geometry.h"

namespace tallimo {

// Each stored in one byte, numbered from 0 in this order.
enum TEffectDirection : std::uint8_t {
  edNone,
  edUp,
  edUpRight,
  edRight,
  edDownRight,
  edDown,
  edDownLeft,
  edLeft,
  edUpLeft
};
enum TEffectStyle : std::uint8_t { esNone, esCustom, esRaised, esSunken, esShadow, esFlying };
enum TColourScheme : std::uint8_t { csCustom, csText, csWindows, csEmbossed, csGold, csSteel };
// How a stack of shadow or highlight layers is drawn.
enum TEffectOption : std::uint8_t { eoNormal, eoReal, eoExtrude, eoGraduated };
// Whether, and along which axis, the face is graduated.
enum TGraduateOption : std::uint8_t { goNone, goVertical, goHorizontal };

inline constexpr int kMaxEffectDepth = 10;
inline constexpr int kMaxEffectAngle = 360;

// The unit offset of a direction in pixels (x to the right, y downwards); a layer at depth d
// lies at (dx * d, dy * d) from the face.
struct EffectOffset {
  int dx = 0;
  int dy = 0;
  friend bool operator==(const EffectOffset&, const EffectOffset&) = default;
};
inline constexpr std::array<EffectOffset, 9> DirectionOffsets = {{
    {0, 0},    // edNone
    {0, -1},   // edUp
    {1, -1},   // edUpRight
    {1, 0},    // edRight
    {1, 1},    // edDownRight
    {0, 1},    // edDown
    {-1, 1},   // edDownLeft
    {-1, 0},   // edLeft
    {-1, -1},  // edUpLeft
}};
// The offset of a direction; a byte beyond the list counts as edNone.
EffectOffset DirectionOffset(TEffectDirection direction);

// The three colours of a scheme.
struct SchemeRow {
  TColor highlight = clWhite;
  TColor shadow = clBlack;
  TColor face = clGray;
  friend bool operator==(const SchemeRow&, const SchemeRow&) = default;
};
// The predefined schemes; row csCustom holds the start of the live custom row (csWindows').
inline constexpr std::array<SchemeRow, 6> kSchemeRows = {{
    {clWhite, clBlack, clGray},    // csCustom, as it starts
    {clWhite, clGray, clBlack},    // csText
    {clWhite, clBlack, clGray},    // csWindows
    {clWhite, clBlack, clSilver},  // csEmbossed
    {clYellow, clBlack, clOlive},  // csGold
    {clAqua, clNavy, clTeal},      // csSteel
}};

// The cosine and sine of the angle, and their squares; painting reads only these.
struct AngleCache {
  double CosAngle = 1.0;
  double SinAngle = 0.0;
  double CosSquared = 1.0;
  double SinSquared = 0.0;
};
// Degrees to radians, as the double the cache has always used.
inline constexpr double kRadiansPerDegree = 0.017453292519943295;
AngleCache MakeAngleCache(int angle);

// The label effect's published properties and the rules that tie them together. The control
// that owns it supplies the font colour (which the schemes set) and the repaint.
class LabelEffect {
 public:
  LabelEffect() = default;
  LabelEffect(const LabelEffect&) = delete;
  LabelEffect& operator=(const LabelEffect&) = delete;
  virtual ~LabelEffect() = default;

  // Every setter does nothing when the value is the one stored. Depths are clamped to 0..10
  // and the angle to 0..360 before they are compared. A new label has every property at the
  // default that stored layouts assume, but for GraduateFrom: stored default clGray, and a new
  // label takes its font's colour at that moment, the default text colour.
  int DepthHighlight() const { return depthHighlight_; }
  void SetDepthHighlight(int value);
  int DepthShadow() const { return depthShadow_; }
  void SetDepthShadow(int value);
  TEffectDirection DirectionHighlight() const { return directionHighlight_; }
  void SetDirectionHighlight(TEffectDirection value);
  TEffectDirection DirectionShadow() const { return directionShadow_; }
  void SetDirectionShadow(TEffectDirection value);
  TColor ColourHighlight() const { return colourHighlight_; }
  void SetColourHighlight(TColor value);
  TColor ColourShadow() const { return colourShadow_; }
  void SetColourShadow(TColor value);
  TGraduateOption GraduateFace() const { return graduateFace_; }
  void SetGraduateFace(TGraduateOption value);
  TColor GraduateFrom() const { return graduateFrom_; }
  void SetGraduateFrom(TColor value);
  TEffectOption StyleHighlight() const { return styleHighlight_; }
  void SetStyleHighlight(TEffectOption value);
  TEffectOption StyleShadow() const { return styleShadow_; }
  void SetStyleShadow(TEffectOption value);
  TEffectStyle EffectStyle() const { return effectStyle_; }
  void SetEffectStyle(TEffectStyle value);
  TColourScheme ColourScheme() const { return colourScheme_; }
  void SetColourScheme(TColourScheme value);
  bool AsButton() const { return asButton_; }
  void SetAsButton(bool value);
  int Angle() const { return angle_; }
  void SetAngle(int value);
  bool KeepLettersVertical() const { return keepLettersVertical_; }
  void SetKeepLettersVertical(bool value);
  // The label's caption alignment, which a non-zero angle turns to left.
  ui::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(ui::TAlignment value);

  // A scheme's colours: the constants, or the live row of csCustom.
  const SchemeRow& SchemeColours(TColourScheme scheme) const;
  const AngleCache& Angles() const { return angles_; }

  // The push-button behaviour. Each returns true when the label took the event as a button,
  // so that the plain mouse event is not raised; false leaves the event to the base.
  // Points are in the label's own coordinates.
  bool ButtonPress(ui::TMouseButton button, bool enabled);
  bool ButtonMove(ui::TShiftState shift, int x, int y, int clientWidth, int clientHeight);
  bool ButtonRelease(int x, int y, int clientWidth, int clientHeight);

 protected:
  // The label's font colour, which choosing a scheme sets.
  virtual TColor FontColour() const = 0;
  virtual void SetFontColour(TColor colour) = 0;
  // Marks the label for painting later.
  virtual void EffectChanged() = 0;

 private:
  int depthHighlight_ = 1;
  int depthShadow_ = 1;
  TEffectDirection directionHighlight_ = edUpLeft;
  TEffectDirection directionShadow_ = edDownRight;
  TColor colourHighlight_ = clWhite;
  TColor colourShadow_ = clBlack;
  TGraduateOption graduateFace_ = goNone;
  // The font's colour when the label is made: the framework's default text colour.
  TColor graduateFrom_ = clWindowText;
  TEffectOption styleHighlight_ = eoNormal;
  TEffectOption styleShadow_ = eoNormal;
  TEffectStyle effectStyle_ = esRaised;
  TColourScheme colourScheme_ = csWindows;
  bool asButton_ = false;
  int angle_ = 0;
  bool keepLettersVertical_ = false;
  ui::TAlignment alignment_ = ui::TAlignment::taLeftJustify;

  SchemeRow customRow_ = kSchemeRows[csCustom];
  AngleCache angles_;
  bool applyingStyle_ = false;
  bool applyingScheme_ = false;
};

// ---- Painting arithmetic ----

// A per-step colour increment as painting holds it: difference / steps rounded to a 40-bit
// significand, halves away from zero. Its value is mantissa / 2^shift, exactly.
struct ColourStep {
  std::int64_t mantissa = 0;
  int shift = 0;
  double Value() const;
};
// steps 0 gives a step of 0 (a face one pixel deep draws in its start colour).
ColourStep MakeColourStep(int difference, int steps);
// round(step * i) with halves to even, exactly; i from 0 to 2^22.
int RoundedMultiple(const ColourStep& step, int i);

// Colours from one end to the other over `steps` steps, each channel its own step, from the
// raw bytes of both ends (a system colour counts as (its index, 0, 0)); step i is the plain
// colour of (from + round(inc * i)) per channel, modulo 256.
class ColourRamp {
 public:
  ColourRamp(TColor from, TColor to, int steps);
  TColor At(int i) const;

 private:
  int from_[3];
  ColourStep inc_[3];
};

// The pooled range of the layer offsets and the shift that alignment gives the text.
struct LayerSpread {
  int MinOffset = 0;
  int MaxOffset = 0;
  int AlignShift = 0;
  friend bool operator==(const LayerSpread&, const LayerSpread&) = default;
};
LayerSpread ComputeLayerSpread(TEffectDirection directionHighlight, int depthHighlight,
                               TEffectDirection directionShadow, int depthShadow,
                               ui::TAlignment alignment);

// One layer of a stack: its depth along the stack's direction and its plain colour.
struct EffectLayer {
  int depth = 0;
  TColor colour = clBlack;
  friend bool operator==(const EffectLayer&, const EffectLayer&) = default;
};
// The layers of a stack in drawing order, deepest first. eoReal gives one black layer (only its
// shape counts); faceColour is the label's font colour, the far end of eoGraduated.
std::vector<EffectLayer> LayerStack(TEffectOption style, int depth, TColor colour,
                                    TColor faceColour);

// The eoReal passes: a pixel under a real shadow halves towards black, one under a real
// highlight halves towards white.
TColor HalfTowardsBlack(TColor pixel);
TColor HalfTowardsWhite(TColor pixel);

// The rectangle the unrotated caption is laid out in for a layer at (ox, oy).
ui::IntRect UnrotatedTextRect(const LayerSpread& spread, int width, int height, int ox, int oy);

// The rotated caption: where it is drawn and the turned box around it (top-left, top-right,
// bottom-right, bottom-left). textWidth and textHeight are the caption's extent, paddedWidth
// that of the caption followed by three spaces.
struct RotatedLayout {
  int OriginX = 0;
  int OriginY = 0;
  std::array<ui::IntPoint, 4> Corners{};
};
RotatedLayout LayOutRotated(int textWidth, int textHeight, int paddedWidth,
                            const LayerSpread& spread, const AngleCache& angles);

// Upright letters along a turned path. prefixWidths[i] is the width of the first i characters
// (i from 0 to n - 1); textHeight the caption's height; firstWidth and lastWidth the widths of
// the first and last characters.
struct UprightLayout {
  std::vector<int> PathLength;  // of letter i + 1
  int OriginX = 0;
  int OriginY = 0;
  ui::TBounds FirstLetterBox;
  ui::TBounds LastLetterBox;
};
UprightLayout LayOutUpright(const std::vector<int>& prefixWidths, int textHeight, int firstWidth,
                            int lastWidth, const LayerSpread& spread, const AngleCache& angles);
// Where letter i (from 0) is drawn for a layer at (ox, oy).
ui::IntPoint UprightLetterAt(const UprightLayout& layout, const LayerSpread& spread,
                             const AngleCache& angles, int i, int ox, int oy);
// The background of upright letters: six corners of the two letter boxes, by the angle's
// quadrant; none for an angle of 0 or above 360.
std::optional<std::array<ui::IntPoint, 6>> UprightHexagon(int angle, const ui::TBounds& first,
                                                          const ui::TBounds& last);

// The graduated face: where its bands start and its extent E (bands 0 to E).
struct FaceExtent {
  int sx = 0;
  int sy = 0;
  int E = 0;
  friend bool operator==(const FaceExtent&, const FaceExtent&) = default;
};
// faceWidth is the caption's width (ampersands included), textHeight its height.
FaceExtent UnrotatedFaceExtent(int faceWidth, int textHeight, int width, const LayerSpread& spread,
                               ui::TAlignment alignment, TGraduateOption option);
FaceExtent RotatedFaceExtent(const std::array<ui::IntPoint, 4>& corners, TGraduateOption option);
FaceExtent UprightFaceExtent(const ui::TBounds& first, const ui::TBounds& last,
                             TGraduateOption option);
// Band i: a row across the label (goVertical) or a column down it (goHorizontal).
ui::IntRect FaceBand(TGraduateOption option, const FaceExtent& face, int i, int width, int height);

// The colour in which the face is drawn on the mask to mark its pixels.
inline constexpr TColor FaceKeyColour = 0xFE09F1;
// The unrotated mode draws at most this many characters.
inline constexpr std::size_t kUnrotatedCaptionLimit = 255;

}  // namespace tallimo
