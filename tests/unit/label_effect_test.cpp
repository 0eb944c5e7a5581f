// The label effect's properties, schemes, styles and button behaviour, and its painting
// arithmetic: rounding, colour steps, layer stacks and the geometry of the text modes.
#include "components/label_effect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

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

TEST(LabelEffectProperties, ValuesAfterConstruction) {
  TestLabel l;
  EXPECT_EQ(l.DepthHighlight(), 1);
  EXPECT_EQ(l.DepthShadow(), 1);
  EXPECT_EQ(l.DirectionHighlight(), edUpLeft);
  EXPECT_EQ(l.DirectionShadow(), edDownRight);
  EXPECT_EQ(l.ColourHighlight(), clWhite);
  EXPECT_EQ(l.ColourShadow(), clBlack);
  EXPECT_EQ(l.GraduateFace(), goNone);
  EXPECT_EQ(l.GraduateFrom(), clWindowText);
  EXPECT_EQ(l.StyleHighlight(), eoNormal);
  EXPECT_EQ(l.StyleShadow(), eoNormal);
  EXPECT_EQ(l.EffectStyle(), esRaised);
  EXPECT_EQ(l.ColourScheme(), csWindows);
  EXPECT_FALSE(l.AsButton());
  EXPECT_EQ(l.Angle(), 0);
  EXPECT_FALSE(l.KeepLettersVertical());
  EXPECT_EQ(l.Alignment(), TAlignment::taLeftJustify);
  EXPECT_EQ(l.SchemeColours(csCustom), (SchemeRow{clWhite, clBlack, clGray}));
  EXPECT_EQ(l.SchemeColours(csSteel), (SchemeRow{clAqua, clNavy, clTeal}));
  EXPECT_EQ(l.Angles().CosAngle, 1.0);
  EXPECT_EQ(l.Angles().SinSquared, 0.0);
  EXPECT_EQ(DirectionOffset(edUpRight), (EffectOffset{1, -1}));
  EXPECT_EQ(DirectionOffset(edDownLeft), (EffectOffset{-1, 1}));
  EXPECT_EQ(DirectionOffset(static_cast<TEffectDirection>(9)), (EffectOffset{0, 0}));
  EXPECT_EQ(l.repaints, 0);
}

TEST(LabelEffectProperties, MainWindowHeadingSettingsInStoredOrder) {
  TestLabel l;
  l.SetDirectionHighlight(edDownRight);
  l.SetDirectionShadow(edUpLeft);
  l.SetColourShadow(clOlive);
  EXPECT_EQ(l.ColourScheme(), csCustom);
  EXPECT_EQ(l.fontColour, clGray);  // the custom row's face, on the way
  l.SetGraduateFace(goVertical);
  l.SetGraduateFrom(clBlue);
  l.SetEffectStyle(esSunken);
  l.SetColourScheme(csCustom);
  l.SetAlignment(TAlignment::taCenter);
  l.fontColour = clBlack;
  EXPECT_EQ(l.EffectStyle(), esSunken);
  EXPECT_EQ(l.DirectionHighlight(), edDownRight);
  EXPECT_EQ(l.DirectionShadow(), edUpLeft);
  EXPECT_EQ(l.DepthHighlight(), 1);
  EXPECT_EQ(l.DepthShadow(), 1);
  EXPECT_EQ(l.ColourHighlight(), clWhite);
  EXPECT_EQ(l.ColourShadow(), clOlive);
  EXPECT_EQ(l.GraduateFrom(), clBlue);
  EXPECT_FALSE(l.AsButton());
}

// Each case runs steps on a new label and checks what follows, including the repaints.
TEST(LabelEffectProperties, SettersAndTheirEffectsOnOneAnother) {
  struct Case {
    const char* name;
    std::function<void(TestLabel&)> steps;
    std::function<void(const TestLabel&)> check;
  };
  const Case cases[] = {
      {"same values change nothing",
       [](TestLabel& l) {
         l.SetDepthShadow(1), l.SetDirectionHighlight(edUpLeft), l.SetColourShadow(clBlack);
         l.SetEffectStyle(esRaised), l.SetColourScheme(csWindows), l.SetAngle(0);
         l.SetGraduateFace(goNone), l.SetAsButton(false), l.SetAlignment(TAlignment::taLeftJustify);
       },
       [](const TestLabel& l) {
         EXPECT_EQ(l.repaints, 0);
         EXPECT_EQ(l.EffectStyle(), esRaised);
         EXPECT_EQ(l.ColourScheme(), csWindows);
       }},
      {"a direction while a button turns the style custom and ends the button",
       [](TestLabel& l) {
         l.SetAsButton(true);
         l.SetDirectionShadow(edDown);
       },
       [](const TestLabel& l) {
         EXPECT_EQ(l.EffectStyle(), esCustom);
         EXPECT_FALSE(l.AsButton());
         EXPECT_EQ(l.repaints, 1);
       }},
      {"AsButton on a raised label changes nothing else",
       [](TestLabel& l) { l.SetAsButton(true), l.SetAsButton(false), l.SetAsButton(true); },
       [](const TestLabel& l) {
         EXPECT_TRUE(l.AsButton());
         EXPECT_EQ(l.EffectStyle(), esRaised);
         EXPECT_EQ(l.repaints, 0);
       }},
      {"sunken and raised keep the button",
       [](TestLabel& l) { l.SetAsButton(true), l.SetEffectStyle(esSunken); },
       [](const TestLabel& l) {
         EXPECT_TRUE(l.AsButton());
         EXPECT_EQ(l.DirectionHighlight(), edDownRight);
         EXPECT_EQ(l.DirectionShadow(), edUpLeft);
         EXPECT_EQ(l.repaints, 2);  // one per direction that changed
       }},
      {"esFlying under csCustom keeps its highlight through esRaised",
       [](TestLabel& l) {
         l.SetColourShadow(clNavy);
         l.SetEffectStyle(esFlying);
         l.SetEffectStyle(esRaised);
       },
       [](const TestLabel& l) {
         EXPECT_EQ(l.ColourHighlight(), clNavy);
         EXPECT_EQ(l.SchemeColours(csCustom).highlight, clNavy);
         EXPECT_EQ(l.ColourScheme(), csCustom);
         EXPECT_EQ(l.DepthShadow(), 1);
       }},
      {"esFlying under a predefined scheme is undone by the next style",
       [](TestLabel& l) {
         l.SetColourScheme(csSteel);
         l.SetEffectStyle(esFlying);
         EXPECT_EQ(l.ColourHighlight(), clNavy);
         EXPECT_EQ(l.DepthShadow(), 5);
         EXPECT_EQ(l.SchemeColours(csCustom).highlight, clNavy);
         l.SetEffectStyle(esRaised);
       },
       [](const TestLabel& l) {
         EXPECT_EQ(l.ColourHighlight(), clAqua);
         EXPECT_EQ(l.ColourScheme(), csSteel);
         EXPECT_EQ(l.fontColour, clTeal);
       }},
      {"csGold then csCustom keeps gold's three colours",
       [](TestLabel& l) { l.SetColourScheme(csGold), l.SetColourScheme(csCustom); },
       [](const TestLabel& l) {
         EXPECT_EQ(l.ColourHighlight(), clYellow);
         EXPECT_EQ(l.ColourShadow(), clBlack);
         EXPECT_EQ(l.fontColour, clOlive);
         EXPECT_EQ(l.SchemeColours(csCustom), (SchemeRow{clYellow, clBlack, clOlive}));
       }},
      {"esNone and esShadow set their rows and end the button",
       [](TestLabel& l) { l.SetAsButton(true), l.SetEffectStyle(esShadow); },
       [](const TestLabel& l) {
         EXPECT_EQ(l.DirectionHighlight(), edNone);
         EXPECT_EQ(l.DepthHighlight(), 0);
         EXPECT_EQ(l.DepthShadow(), 2);
         EXPECT_FALSE(l.AsButton());
       }},
      {"an angle turns the alignment left, which may be set again",
       [](TestLabel& l) {
         l.SetAlignment(TAlignment::taCenter);
         l.SetAngle(30);
         EXPECT_EQ(l.Alignment(), TAlignment::taLeftJustify);
         l.SetAlignment(TAlignment::taCenter);
       },
       [](const TestLabel& l) {
         EXPECT_EQ(l.Alignment(), TAlignment::taCenter);
         EXPECT_DOUBLE_EQ(l.Angles().SinAngle, 0.5);
         EXPECT_DOUBLE_EQ(l.Angles().CosSquared, 0.75);
       }},
      {"out-of-range depths and angles are clamped",
       [](TestLabel& l) { l.SetDepthShadow(25), l.SetDepthHighlight(-3), l.SetAngle(400); },
       [](const TestLabel& l) {
         EXPECT_EQ(l.DepthShadow(), 10);
         EXPECT_EQ(l.DepthHighlight(), 0);
         EXPECT_EQ(l.Angle(), 360);
       }},
      {"GraduateFrom and KeepLettersVertical repaint only when they show",
       [](TestLabel& l) {
         l.SetGraduateFrom(clBlue), l.SetKeepLettersVertical(true);
         EXPECT_EQ(l.repaints, 0);
         l.SetGraduateFace(goHorizontal), l.SetGraduateFrom(RgbColor(255, 0, 0)), l.SetAngle(90);
         l.SetKeepLettersVertical(false);
       },
       [](const TestLabel& l) { EXPECT_EQ(l.repaints, 4); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestLabel label;
    c.steps(label);
    c.check(label);
  }
}

TEST(LabelEffectButton, PressMoveAndRelease) {
  using ui::TMouseButton;
  TestLabel plain;
  EXPECT_FALSE(plain.ButtonPress(TMouseButton::mbLeft, true));  // the base's handling runs
  EXPECT_FALSE(plain.ButtonMove(ui::ssLeft, 1, 1, 10, 10));
  EXPECT_FALSE(plain.ButtonRelease(1, 1, 10, 10));
  EXPECT_EQ(plain.EffectStyle(), esRaised);

  TestLabel b;
  b.SetAsButton(true);
  struct Step {
    std::function<bool(TestLabel&)> event;
    TEffectStyle after;
  };
  const Step steps[] = {
      {[](TestLabel& l) { return l.ButtonPress(TMouseButton::mbRight, true); }, esRaised},
      {[](TestLabel& l) { return l.ButtonPress(TMouseButton::mbLeft, false); }, esRaised},
      {[](TestLabel& l) { return l.ButtonPress(TMouseButton::mbLeft, true); }, esSunken},
      {[](TestLabel& l) { return l.ButtonMove(ui::ssLeft, 141, 0, 140, 30); }, esRaised},
      {[](TestLabel& l) { return l.ButtonMove(ui::ssLeft, 140, 30, 140, 30); }, esSunken},
      {[](TestLabel& l) { return l.ButtonMove(ui::ssLeft, 0, -1, 140, 30); }, esRaised},
      {[](TestLabel& l) { return l.ButtonMove(ui::ssLeft | ui::ssShift, 5, 5, 140, 30); },
       esRaised},
      {[](TestLabel& l) { return l.ButtonMove(ui::ssLeft | ui::ssDouble, 5, 5, 140, 30); },
       esRaised},
      {[](TestLabel& l) { return l.ButtonMove(ui::ssLeft, 5, 5, 140, 30); }, esSunken},
      {[](TestLabel& l) { return l.ButtonRelease(-1, 5, 140, 30); }, esSunken},
      {[](TestLabel& l) { return l.ButtonRelease(0, 30, 140, 30); }, esRaised},
  };
  int i = 0;
  for (const Step& s : steps) {
    EXPECT_TRUE(s.event(b)) << i;  // no plain mouse event while a button
    EXPECT_EQ(b.EffectStyle(), s.after) << i;
    EXPECT_TRUE(b.AsButton()) << i++;
  }
}

TEST(LabelEffectPainting, RoundingAndFortyBitSteps) {
  for (auto [value, expected] : std::vector<std::pair<double, int>>{
           {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-42.5, -42}, {2.4999, 2}}) {
    EXPECT_EQ(RoundToEven(value), expected) << value;
  }
  // 1/6 held in 40 bits lies above 1/6, so three steps pass the half that a double reaches.
  const ColourStep sixth = MakeColourStep(1, 6);
  EXPECT_GT(sixth.Value(), 1.0 / 6);
  EXPECT_EQ(RoundedMultiple(sixth, 3), 1);
  EXPECT_EQ(RoundToEven(3 * (1.0 / 6)), 0);
  EXPECT_EQ(RoundedMultiple(MakeColourStep(-1, 6), 3), -1);
  // Exact halves go to even: -255/24 = -10.625.
  const ColourStep down = MakeColourStep(-255, 24);
  EXPECT_EQ(down.Value(), -10.625);
  EXPECT_EQ(RoundedMultiple(down, 4), -42);
  EXPECT_EQ(RoundedMultiple(down, 12), -128);  // -127.5
  EXPECT_EQ(RoundedMultiple(down, 24), -255);
  EXPECT_EQ(MakeColourStep(200, 0).Value(), 0.0);  // a face of extent 0

  const ColourRamp ramp(clBlue, clBlack, 24);
  EXPECT_EQ(ramp.At(0), clBlue);
  EXPECT_EQ(ramp.At(4), RgbColor(0, 0, 213));
  EXPECT_EQ(ramp.At(24), clBlack);
  // Raw bytes: a system colour end counts as (index, 0, 0), and channels wrap modulo 256.
  EXPECT_EQ(ColourRamp(clWindowText, clWindowText, 0).At(0), RgbColor(8, 0, 0));
  EXPECT_EQ(ColourRamp(clBlack, RgbColor(10, 0, 0), 1).At(30), RgbColor(44, 0, 0));
}

TEST(LabelEffectPainting, LayerStacks) {
  using Layers = std::vector<EffectLayer>;
  EXPECT_EQ(LayerStack(eoNormal, 2, clOlive, clBlack), (Layers{{2, clOlive}}));
  EXPECT_EQ(LayerStack(eoNormal, 0, clOlive, clBlack), (Layers{{0, clOlive}}));
  EXPECT_EQ(LayerStack(eoReal, 3, clWhite, clBlack), (Layers{{3, clBlack}}));
  EXPECT_EQ(LayerStack(eoExtrude, 2, clNavy, clWhite), (Layers{{2, clNavy}, {1, clNavy}}));
  EXPECT_EQ(LayerStack(eoExtrude, 1, clNavy, clWhite), (Layers{{1, clNavy}}));
  EXPECT_EQ(LayerStack(eoGraduated, 3, clBlack, RgbColor(0, 0, 200)),
            (Layers{{3, clBlack}, {2, RgbColor(0, 0, 100)}, {1, RgbColor(0, 0, 200)}}));
  EXPECT_EQ(LayerStack(eoGraduated, 1, clBlack, clWhite), (Layers{{1, clBlack}}));
  EXPECT_EQ(LayerStack(eoNormal, 1, clBtnFace, clBlack), (Layers{{1, RgbColor(15, 0, 0)}}));
  EXPECT_EQ(HalfTowardsBlack(clWhite), RgbColor(127, 127, 127));
  EXPECT_EQ(HalfTowardsWhite(clBlack), RgbColor(127, 127, 127));
  EXPECT_EQ(HalfTowardsWhite(RgbColor(1, 100, 254)), RgbColor(128, 177, 254));
}

TEST(LabelEffectPainting, UnrotatedGeometry) {
  // The heading: sunken, centred, 592 x 31.
  const LayerSpread heading = ComputeLayerSpread(edDownRight, 1, edUpLeft, 1, TAlignment::taCenter);
  EXPECT_EQ(heading, (LayerSpread{-1, 1, 1}));
  EXPECT_EQ(UnrotatedTextRect(heading, 592, 31, -1, -1), (IntRect{-1, 0, 591, 31}));
  EXPECT_EQ(UnrotatedTextRect(heading, 592, 31, 1, 1), (IntRect{1, 2, 593, 33}));
  EXPECT_EQ(UnrotatedTextRect(heading, 592, 31, 0, 0), (IntRect{0, 1, 592, 32}));
  const FaceExtent face =
      UnrotatedFaceExtent(300, 29, 592, heading, TAlignment::taCenter, goVertical);
  EXPECT_EQ(face, (FaceExtent{146, 1, 28}));
  EXPECT_EQ(FaceBand(goVertical, face, 28, 592, 31), (IntRect{0, 29, 592, 30}));

  EXPECT_EQ(ComputeLayerSpread(edNone, 0, edDownRight, 2, TAlignment::taRightJustify),
            (LayerSpread{0, 2, 2}));
  EXPECT_EQ(ComputeLayerSpread(edUp, 3, edLeft, 10, TAlignment::taCenter),
            (LayerSpread{-10, 0, 5}));
  const LayerSpread shadow{0, 2, 2};
  EXPECT_EQ(UnrotatedFaceExtent(50, 20, 100, shadow, TAlignment::taRightJustify, goHorizontal),
            (FaceExtent{48, 0, 49}));
  EXPECT_EQ(UnrotatedFaceExtent(50, 20, 100, shadow, TAlignment::taLeftJustify, goVertical).sx, 0);
  // An empty caption graduated across has no band at all.
  EXPECT_EQ(UnrotatedFaceExtent(0, 20, 100, shadow, TAlignment::taLeftJustify, goHorizontal).E, -1);
  EXPECT_EQ(FaceBand(goHorizontal, {48, 0, 49}, 3, 100, 33), (IntRect{51, 0, 52, 33}));
}

TEST(LabelEffectPainting, RotatedAndUprightGeometry) {
  const LayerSpread raised{-1, 1, 0};
  // 90 degrees: the text stands on its end, centred on (c, c).
  const RotatedLayout r = LayOutRotated(100, 20, 130, raised, MakeAngleCache(90));
  EXPECT_EQ(r.OriginX, 65 - 10);
  EXPECT_EQ(r.OriginY, 65 + 50);
  // c2 = 68; W2 = 104, H2 = 24: a = 0, b = 12, d = 52, e = 0.
  EXPECT_EQ(r.Corners, (std::array<IntPoint, 4>{{{58, 122}, {58, 18}, {82, 18}, {82, 122}}}));
  EXPECT_EQ(RotatedFaceExtent(r.Corners, goVertical), (FaceExtent{58, 18, 104}));
  EXPECT_EQ(RotatedFaceExtent(r.Corners, goHorizontal).E, 24);
  const RotatedLayout flat = LayOutRotated(100, 20, 130, raised, MakeAngleCache(180));
  EXPECT_EQ(flat.OriginX, 65 + 50);
  EXPECT_EQ(flat.OriginY, 65 + 10);

  // Upright letters at 90: stacked upwards, one text height apart, all at one x.
  const std::vector<int> prefix{0, 11, 20, 31};  // "ABCD"
  const AngleCache up = MakeAngleCache(90);
  const UprightLayout u = LayOutUpright(prefix, 18, 11, 12, raised, up);
  EXPECT_EQ(u.PathLength, (std::vector<int>{0, 18, 36, 54}));
  EXPECT_EQ(u.OriginX, 10);
  EXPECT_EQ(u.OriginY, 64);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(UprightLetterAt(u, raised, up, i, 0, 0), (IntPoint{11, 65 - 18 * i})) << i;
  }
  EXPECT_EQ(u.FirstLetterBox, (IntBox{8, 62, 17, 24}));
  EXPECT_EQ(u.LastLetterBox, (IntBox{8, 8, 18, 24}));
  EXPECT_EQ(UprightFaceExtent(u.FirstLetterBox, u.LastLetterBox, goVertical),
            (FaceExtent{8, 8, 78}));
  const auto hex = UprightHexagon(90, u.FirstLetterBox, u.LastLetterBox);
  ASSERT_TRUE(hex.has_value());
  EXPECT_EQ(*hex,
            (std::array<IntPoint, 6>{{{8, 62}, {8, 8}, {26, 8}, {26, 32}, {25, 86}, {8, 86}}}));
  EXPECT_EQ((*UprightHexagon(91, u.FirstLetterBox, u.LastLetterBox))[0], (IntPoint{25, 62}));
  EXPECT_EQ((*UprightHexagon(271, u.FirstLetterBox, u.LastLetterBox))[5], (IntPoint{8, 62}));
  EXPECT_FALSE(UprightHexagon(0, u.FirstLetterBox, u.LastLetterBox).has_value());
  EXPECT_FALSE(UprightHexagon(361, u.FirstLetterBox, u.LastLetterBox).has_value());

  // 180: the path runs to the left of the first letter, which moves right to make room.
  const UprightLayout back = LayOutUpright(prefix, 18, 11, 12, raised, MakeAngleCache(180));
  EXPECT_EQ(back.PathLength, (std::vector<int>{0, 11, 20, 31}));
  EXPECT_EQ(back.OriginX, 41);
  EXPECT_EQ(back.LastLetterBox.left, 8);
  // No characters: nothing to lay out, and nothing fails.
  EXPECT_TRUE(LayOutUpright({}, 18, 0, 0, raised, up).PathLength.empty());
}

}  // namespace
}  // namespace tallimo
