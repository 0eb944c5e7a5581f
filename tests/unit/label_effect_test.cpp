// The label effect's properties, schemes, styles and button behaviour, and its painting
// arithmetic: rounding, colour steps, layer stacks and the geometry of the text modes.
#include "components/label_effect.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "ui/layout_fit.h"

namespace tallimo {
namespace {

using ui::TAlignment;

class TestLabel : public LabelEffect {
 public:
  TColor fontColour = clWindowText;
  int repaints = 0;
  TColor FontColour() const override { return fontColour; }
  void SetFontColour(TColor colour) override { fontColour = colour; }
  void EffectChanged() override { ++repaints; }
};

// What a case checks of a label: style, scheme, button, directions, depths, the three colours
// and the repaints asked for.
using State = std::tuple<TEffectStyle, TColourScheme, bool, TEffectDirection, TEffectDirection, int,
                         int, TColor, TColor, TColor, int>;
State StateOf(const TestLabel& l) {
  return {l.EffectStyle(),     l.ColourScheme(),   l.AsButton(),    l.DirectionHighlight(),
          l.DirectionShadow(), l.DepthHighlight(), l.DepthShadow(), l.ColourHighlight(),
          l.ColourShadow(),    l.fontColour,       l.repaints};
}
constexpr TAlignment kLeft = TAlignment::taLeftJustify, kCentre = TAlignment::taCenter;

TEST(LabelEffectProperties, SettersAndTheirEffectsOnOneAnother) {
  struct Case {
    const char* name;
    std::function<void(TestLabel&)> steps;
    State after;
  };
  const Case cases[] = {
      {"a new label",
       [](TestLabel&) {},
       {esRaised, csWindows, false, edUpLeft, edDownRight, 1, 1, clWhite, clBlack, clWindowText,
        0}},
      {"the main window's heading, in stored order",
       [](TestLabel& l) {
         l.SetDirectionHighlight(edDownRight), l.SetDirectionShadow(edUpLeft);
         l.SetColourShadow(clOlive);  // turns the scheme custom: the row's face colour
         l.SetGraduateFace(goVertical), l.SetGraduateFrom(clBlue), l.SetEffectStyle(esSunken);
         l.SetColourScheme(csCustom);
       },
       {esSunken, csCustom, false, edDownRight, edUpLeft, 1, 1, clWhite, clOlive, clGray, 5}},
      {"same values change nothing",
       [](TestLabel& l) {
         l.SetDepthShadow(1), l.SetDirectionHighlight(edUpLeft), l.SetColourShadow(clBlack);
         l.SetEffectStyle(esRaised), l.SetColourScheme(csWindows), l.SetAngle(0);
         l.SetGraduateFace(goNone), l.SetAsButton(false), l.SetAlignment(kLeft);
       },
       {esRaised, csWindows, false, edUpLeft, edDownRight, 1, 1, clWhite, clBlack, clWindowText,
        0}},
      {"a direction of a button turns the style custom and ends the button",
       [](TestLabel& l) { l.SetAsButton(true), l.SetDirectionShadow(edDown); },
       {esCustom, csWindows, false, edUpLeft, edDown, 1, 1, clWhite, clBlack, clWindowText, 1}},
      {"sunken and raised keep the button",
       [](TestLabel& l) { l.SetAsButton(true), l.SetEffectStyle(esSunken); },
       {esSunken, csWindows, true, edDownRight, edUpLeft, 1, 1, clWhite, clBlack, clWindowText, 2}},
      {"esFlying under csCustom leaves its highlight to esRaised",
       [](TestLabel& l) {
         l.SetColourShadow(clNavy), l.SetEffectStyle(esFlying), l.SetEffectStyle(esRaised);
       },
       {esRaised, csCustom, false, edUpLeft, edDownRight, 1, 1, clNavy, clNavy, clGray, 6}},
      {"esFlying under a predefined scheme is undone by the next style",
       [](TestLabel& l) {
         l.SetColourScheme(csSteel), l.SetEffectStyle(esFlying);
         EXPECT_EQ(l.ColourHighlight(), clNavy);
         EXPECT_EQ(l.DepthShadow(), 5);
         l.SetEffectStyle(esRaised);
       },
       {esRaised, csSteel, false, edUpLeft, edDownRight, 1, 1, clAqua, clNavy, clTeal, 8}},
      {"csGold then csCustom keeps gold's colours",
       [](TestLabel& l) { l.SetColourScheme(csGold), l.SetColourScheme(csCustom); },
       {esRaised, csCustom, false, edUpLeft, edDownRight, 1, 1, clYellow, clBlack, clOlive, 1}},
      {"an angle turns the alignment left, which may be set again",
       [](TestLabel& l) {
         l.SetAlignment(kCentre), l.SetAngle(30);
         EXPECT_EQ(l.Alignment(), kLeft);
         l.SetAlignment(kCentre);
         EXPECT_EQ(l.Alignment(), kCentre);
       },
       {esRaised, csWindows, false, edUpLeft, edDownRight, 1, 1, clWhite, clBlack, clWindowText,
        4}},
      {"depths are clamped, and GraduateFrom and KeepLettersVertical repaint only when shown",
       [](TestLabel& l) {
         l.SetGraduateFrom(clBlue), l.SetKeepLettersVertical(true), l.SetEffectStyle(esCustom);
         l.SetDepthShadow(25), l.SetDepthHighlight(-3);
         l.SetGraduateFace(goHorizontal), l.SetGraduateFrom(clLime), l.SetAngle(400);
         l.SetKeepLettersVertical(false);
       },
       {esCustom, csWindows, false, edUpLeft, edDownRight, 0, 10, clWhite, clBlack, clWindowText,
        6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestLabel label;
    c.steps(label);
    EXPECT_EQ(StateOf(label), c.after);
  }
  TestLabel l;
  EXPECT_EQ(l.GraduateFrom(), clWindowText);
  l.SetColourScheme(csGold);
  EXPECT_EQ(l.SchemeColours(csCustom), (SchemeRow{clYellow, clBlack, clOlive}));
  l.SetAngle(30);
  EXPECT_DOUBLE_EQ(l.Angles().SinAngle, 0.5);
  EXPECT_DOUBLE_EQ(l.Angles().CosSquared, 0.75);
  EXPECT_EQ(DirectionOffset(static_cast<TEffectDirection>(9)), (EffectOffset{0, 0}));
}

TEST(LabelEffectButton, PressMoveAndRelease) {
  using ui::TMouseButton;
  TestLabel plain;  // not a button: the base's events run
  EXPECT_FALSE(plain.ButtonPress(TMouseButton::mbLeft, true) ||
               plain.ButtonMove(ui::ssLeft, 1, 1, 10, 10) || plain.ButtonRelease(1, 1, 10, 10));
  TestLabel b;
  b.SetAsButton(true);
  using L = TestLabel;
  const std::pair<std::function<bool(L&)>, TEffectStyle> steps[] = {
      {[](L& l) { return l.ButtonPress(TMouseButton::mbRight, true); }, esRaised},
      {[](L& l) { return l.ButtonPress(TMouseButton::mbLeft, false); }, esRaised},
      {[](L& l) { return l.ButtonPress(TMouseButton::mbLeft, true); }, esSunken},
      {[](L& l) { return l.ButtonMove(ui::ssLeft, 141, 0, 140, 30); }, esRaised},
      {[](L& l) { return l.ButtonMove(ui::ssLeft, 140, 30, 140, 30); }, esSunken},  // edges count
      {[](L& l) { return l.ButtonMove(ui::ssLeft, 0, -1, 140, 30); }, esRaised},
      {[](L& l) { return l.ButtonMove(ui::ssLeft | ui::ssShift, 5, 5, 140, 30); }, esRaised},
      {[](L& l) { return l.ButtonMove(ui::ssLeft | ui::ssDouble, 5, 5, 140, 30); }, esRaised},
      {[](L& l) { return l.ButtonMove(ui::ssLeft, 5, 5, 140, 30); }, esSunken},
      {[](L& l) { return l.ButtonRelease(-1, 5, 140, 30); }, esSunken},
      {[](L& l) { return l.ButtonRelease(0, 30, 140, 30); }, esRaised},
  };
  for (const auto& [event, after] : steps) {
    EXPECT_TRUE(event(b));  // no plain mouse event while a button
    EXPECT_EQ(b.EffectStyle(), after) << &event - &steps[0].first;
    EXPECT_TRUE(b.AsButton());
  }
}

TEST(LabelEffectPainting, RoundingFortyBitStepsAndLayerStacks) {
  // 1/6 held in 40 bits lies above 1/6, so three steps pass the half that a double reaches.
  EXPECT_EQ(RoundedMultiple(MakeColourStep(1, 6), 3), 1);
  EXPECT_EQ(ui::RoundHalfEven(3 * (1.0 / 6)), 0);
  EXPECT_EQ(RoundedMultiple(MakeColourStep(-1, 6), 3), -1);
  const ColourStep down = MakeColourStep(-255, 24);  // -10.625: exact halves go to even
  EXPECT_EQ(down.Value(), -10.625);
  EXPECT_EQ(RoundedMultiple(down, 4), -42);
  EXPECT_EQ(RoundedMultiple(down, 12), -128);
  EXPECT_EQ(MakeColourStep(200, 0).Value(), 0.0);  // a face of extent 0
  const ColourRamp ramp(clBlue, clBlack, 24);
  EXPECT_EQ(ramp.At(0), clBlue);
  EXPECT_EQ(ramp.At(4), RgbColor(0, 0, 213));
  EXPECT_EQ(ramp.At(24), clBlack);
  // Raw bytes: a system colour counts as (index, 0, 0); channels wrap modulo 256.
  EXPECT_EQ(ColourRamp(clBlack, RgbColor(10, 0, 0), 1).At(30), RgbColor(44, 0, 0));

  using Layers = std::vector<EffectLayer>;
  EXPECT_EQ(LayerStack(eoNormal, 0, clOlive, clBlack), (Layers{{0, clOlive}}));
  EXPECT_EQ(LayerStack(eoNormal, 1, clBtnFace, clBlack), (Layers{{1, RgbColor(15, 0, 0)}}));
  EXPECT_EQ(LayerStack(eoGraduated, 3, clBlack, RgbColor(0, 0, 200)),
            (Layers{{3, clBlack}, {2, RgbColor(0, 0, 100)}, {1, RgbColor(0, 0, 200)}}));
  EXPECT_EQ(LayerStack(eoGraduated, 1, clBlack, clWhite), (Layers{{1, clBlack}}));
  EXPECT_EQ(HalfTowardsWhite(RgbColor(1, 100, 254)), RgbColor(128, 177, 254));
}

TEST(LabelEffectPainting, GeometryOfTheTextModes) {
  // The heading: sunken, centred, 592 x 31.
  const LayerSpread heading = ComputeLayerSpread(edDownRight, 1, edUpLeft, 1, kCentre);
  EXPECT_EQ(heading, (LayerSpread{-1, 1, 1}));
  EXPECT_EQ(UnrotatedTextRect(heading, 592, 31, -1, -1), (ui::IntRect{-1, 0, 591, 31}));
  EXPECT_EQ(UnrotatedTextRect(heading, 592, 31, 1, 1), (ui::IntRect{1, 2, 593, 33}));
  EXPECT_EQ(UnrotatedFaceExtent(300, 29, 592, heading, kCentre, goVertical),
            (FaceExtent{146, 1, 28}));
  const LayerSpread shadow =
      ComputeLayerSpread(edNone, 0, edDownRight, 2, TAlignment::taRightJustify);
  EXPECT_EQ(shadow, (LayerSpread{0, 2, 2}));
  EXPECT_EQ(UnrotatedFaceExtent(50, 20, 100, shadow, TAlignment::taRightJustify, goHorizontal),
            (FaceExtent{48, 0, 49}));
  EXPECT_EQ(UnrotatedFaceExtent(0, 20, 100, shadow, kLeft, goHorizontal).E, -1);  // no band
  EXPECT_EQ(FaceBand(goHorizontal, {48, 0, 49}, 3, 100, 33), (ui::IntRect{51, 0, 52, 33}));

  // Turned 90 degrees: c = 65, c2 = 68, W2 = 104, H2 = 24.
  const LayerSpread raised{-1, 1, 0};
  const RotatedLayout r = LayOutRotated(100, 20, 130, raised, MakeAngleCache(90));
  EXPECT_EQ(std::make_pair(r.OriginX, r.OriginY), std::make_pair(55, 115));
  EXPECT_EQ(r.Corners, (std::array<ui::IntPoint, 4>{{{58, 122}, {58, 18}, {82, 18}, {82, 122}}}));
  EXPECT_EQ(RotatedFaceExtent(r.Corners, goVertical), (FaceExtent{58, 18, 104}));

  // Upright letters at 90: stacked upwards, one text height apart, all at one x.
  const std::vector<int> prefix{0, 11, 20, 31};  // "ABCD"
  const UprightLayout u = LayOutUpright(prefix, 18, 11, 12, raised, MakeAngleCache(90));
  EXPECT_EQ(u.PathLength, (std::vector<int>{0, 18, 36, 54}));
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(UprightLetterAt(u, raised, MakeAngleCache(90), i, 0, 0),
              (ui::IntPoint{11, 65 - 18 * i}));
  EXPECT_EQ(u.FirstLetterBox, (ui::TBounds{8, 62, 17, 24}));
  EXPECT_EQ(u.LastLetterBox, (ui::TBounds{8, 8, 18, 24}));
  EXPECT_EQ(UprightFaceExtent(u.FirstLetterBox, u.LastLetterBox, goVertical),
            (FaceExtent{8, 8, 78}));
  EXPECT_EQ(*UprightHexagon(90, u.FirstLetterBox, u.LastLetterBox),
            (std::array<ui::IntPoint, 6>{{{8, 62}, {8, 8}, {26, 8}, {26, 32}, {25, 86}, {8, 86}}}));
  EXPECT_FALSE(UprightHexagon(361, u.FirstLetterBox, u.LastLetterBox).has_value());
}

}  // namespace
}  // namespace tallimo
