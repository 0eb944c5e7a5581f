// The gradient fill: system colours, the colour table, band geometry and repaint on set.
#include "components/gradient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "fakes/fake_system_colors.h"

namespace tallimo {
namespace {

using testing::FakeSystemColors;

TEST(GradientColorText, ParsesNumbersSpacesAndLowBits) {
  struct Case {
    const char* text;
    RgbTriple rgb;
  };
  const Case cases[] = {
      {"212 208 200", {212, 208, 200}},
      {"255  0", {255, 0, 0}},  // two spaces end the green number at once
      {"7", {7, 0, 0}},         // missing numbers stay 0
      {"1 2", {1, 2, 0}},
      {" 5 6", {0, 5, 6}},
      {"300 256 511", {44, 0, 255}},              // low 8 bits only
      {"1 2 3 4", {1, 2, 3}},                     // a fourth number is never read
      {"99999999999999999999 1 2", {255, 1, 2}},  // (10^20 - 1) mod 256, without overflow
  };
  for (const Case& c : cases) {
    const auto parsed = ParseColorText(c.text);
    ASSERT_TRUE(parsed.has_value()) << c.text;
    EXPECT_EQ(*parsed, c.rgb) << c.text;
  }
  for (const char* bad : {"192,192,192", "12 x 3", "-1 0 0", "1\t2 3", "0x10 0 0", "+5"}) {
    EXPECT_FALSE(ParseColorText(bad).has_value()) << bad;
  }
}

TEST(GradientResolveColor, SystemColoursFromTheSourceElseTheirLowBytes) {
  FakeSystemColors colors;
  colors.values["ButtonFace"] = "192 192 192";
  colors.values["InfoWindow"] = "255  0";
  colors.values["Background"] = "58 110 165";
  EXPECT_EQ(ResolveColor(clBtnFace, colors), (RgbTriple{192, 192, 192}));
  EXPECT_EQ(ResolveColor(0x80000018, colors), (RgbTriple{255, 0, 0}));
  EXPECT_EQ(ResolveColor(0x80000001, colors), (RgbTriple{58, 110, 165}));
  EXPECT_EQ(colors.lookups, (std::vector<std::string>{"ButtonFace", "InfoWindow", "Background"}));

  FakeSystemColors empty;
  EXPECT_EQ(ResolveColor(clBtnFace, empty), (RgbTriple{15, 0, 0}));
  EXPECT_EQ(ResolveColor(clWindowText, empty), (RgbTriple{8, 0, 0}));
  EXPECT_EQ(empty.lookups, (std::vector<std::string>{"ButtonFace", "WindowText"}));

  // Plain colours, clScrollBar and values beyond the table are never looked up.
  FakeSystemColors none;
  none.values["Scrollbar"] = "1 2 3";
  EXPECT_EQ(ResolveColor(clScrollBar, none), (RgbTriple{0, 0, 0}));
  EXPECT_EQ(ResolveColor(0x80000019, none), (RgbTriple{0x19, 0, 0}));
  EXPECT_EQ(ResolveColor(clNavy, none), (RgbTriple{0, 0, 128}));
  EXPECT_EQ(ResolveColor(0x00123456, none), (RgbTriple{0x56, 0x34, 0x12}));
  EXPECT_TRUE(none.lookups.empty());
}

TEST(GradientResolveColor, UnreadableTextFallsBackInsteadOfFailing) {
  FakeSystemColors colors;
  colors.values["ButtonFace"] = "192,192,192";
  colors.values["Window"] = "white";
  EXPECT_EQ(ResolveColor(clBtnFace, colors), (RgbTriple{15, 0, 0}));
  EXPECT_EQ(ResolveColor(clWindow, colors), (RgbTriple{5, 0, 0}));
  // The whole table is built the same way, so construction with such a value survives.
  GradientFill fill(colors);
  fill.SetColorStart(clBtnFace);
  EXPECT_EQ(fill.BandColors()[0], RgbColor(15, 0, 0));
}

TEST(GradientColorTable, EndsAndSwap) {
  FakeSystemColors colors;
  const auto plain = BuildColorTable(clBlack, clBlue, false, colors);
  EXPECT_EQ(plain[0], clBlack);
  EXPECT_EQ(plain[255], clBlue);
  const auto swapped = BuildColorTable(clBlack, clBlue, true, colors);
  EXPECT_EQ(swapped[0], clBlue);
  EXPECT_EQ(swapped[255], clBlack);
  EXPECT_EQ(swapped[1], RgbColor(0, 0, 254));

  const auto navyGreen = BuildColorTable(clNavy, clGreen, false, colors);
  EXPECT_EQ(navyGreen[0], clNavy);
  EXPECT_EQ(navyGreen[255], clGreen);
  // 128 * 10000 / 255 = 5019.6 rounds to a step of 5020 (5019 would give (0, 125, 2) and
  // (0, 126, 1) here).
  EXPECT_EQ(navyGreen[251], RgbColor(0, 126, 1));
  EXPECT_EQ(navyGreen[253], RgbColor(0, 127, 0));
  EXPECT_EQ(navyGreen[100], RgbColor(0, 50, 77));

  const auto same = BuildColorTable(0x336699, 0x336699, true, colors);
  EXPECT_TRUE(std::all_of(same.begin(), same.end(), [](TColor c) { return c == 0x336699; }));

  // A system colour end resolves through the source and never stays a reference.
  colors.values["ButtonFace"] = "212 208 200";
  const auto face = BuildColorTable(clBtnFace, clWhite, false, colors);
  EXPECT_EQ(face[0], RgbColor(212, 208, 200));
  EXPECT_TRUE(std::none_of(face.begin(), face.end(), [](TColor c) { return c >> 24; }));
}

TEST(GradientColorTable, FullChannelRunDownGivesOneStepABand) {
  FakeSystemColors colors;
  const auto table = BuildColorTable(RgbColor(255, 0, 0), RgbColor(0, 255, 0), false, colors);
  for (int i = 1; i < 255; ++i) {
    EXPECT_EQ(RedOf(table[i]), 255 - i) << i;
    EXPECT_EQ(GreenOf(table[i]), i) << i;
  }
}

// Every pair of channel ends: interior values stay between the ends, move one way, and lie
// within one step of the exact line (truncation, plus at most 254 rounding errors of half a
// ten-thousandth).
TEST(GradientColorTable, EveryChannelPairStaysOnTheLine) {
  FakeSystemColors colors;
  for (int first = 0; first < 256; ++first) {
    for (int last = 0; last < 256; ++last) {
      const auto table =
          BuildColorTable(RgbColor(first, 0, 0), RgbColor(last, 0, 0), false, colors);
      ASSERT_EQ(RedOf(table[0]), first);
      ASSERT_EQ(RedOf(table[255]), last);
      for (int i = 1; i < 255; ++i) {
        const int v = RedOf(table[i]);
        const double exact = first + (last - first) * i / 255.0;
        ASSERT_LT(std::abs(v - exact), 1.02) << first << " " << last << " " << i;
        ASSERT_GE(v, std::min(first, last));
        ASSERT_LE(v, std::max(first, last));
        if (first >= last) {
          ASSERT_LE(v, RedOf(table[i - 1]));
        } else {
          ASSERT_GE(v, RedOf(table[i - 1]));
        }
      }
    }
  }
}

TEST(GradientBands, StepOneOverlapsEachBandWithTheNext) {
  const auto bands = GradientBands(gdUpDown, 120, 255);
  EXPECT_EQ(bands[0], (ui::IntRect{0, 0, 120, 2}));
  EXPECT_EQ(bands[1], (ui::IntRect{0, 0, 120, 2}));
  for (int i = 1; i < 256; ++i) {
    EXPECT_EQ(bands[i], (ui::IntRect{0, i - 1, 120, i + 1})) << i;
  }
  // The last fill covering a row is the band one below it.
  for (int y = 0; y < 255; ++y) {
    int shown = -1;
    for (int i = 0; i < 256; ++i) {
      if (bands[i].top <= y && y < bands[i].bottom) shown = i;
    }
    EXPECT_EQ(shown, y + 1) << y;
  }
}

TEST(GradientBands, LeftRightSpansTheHeight) {
  const auto bands = GradientBands(gdLeftRight, 510, 37);
  EXPECT_EQ(bands[0], (ui::IntRect{0, 0, 3, 37}));  // step 2, thickness 3
  EXPECT_EQ(bands[1], (ui::IntRect{0, 0, 3, 37}));
  EXPECT_EQ(bands[2], (ui::IntRect{2, 0, 5, 37}));
  EXPECT_EQ(bands[255], (ui::IntRect{508, 0, 511, 37}));
  // Any direction other than left-right is top to bottom.
  EXPECT_EQ(GradientBands(static_cast<TGradDirection>(7), 40, 255)[2], (ui::IntRect{0, 1, 40, 3}));
}

TEST(GradientBands, EmptyAxisGivesOnePixelBandsAtZero) {
  for (const auto& band : GradientBands(gdUpDown, 50, 0)) {
    EXPECT_EQ(band, (ui::IntRect{0, 0, 50, 1}));
  }
  for (const auto& band : GradientBands(gdLeftRight, 0, 9)) {
    EXPECT_EQ(band, (ui::IntRect{0, 0, 1, 9}));
  }
}

// For sizes that are not multiples of 255 the bands still cover every pixel and stay in order.
TEST(GradientBands, NoGapsAtAnySize) {
  for (int size = 1; size <= 1200; ++size) {
    const auto bands = GradientBands(gdUpDown, 10, size);
    const float step = static_cast<float>(size / 255.0);
    ASSERT_EQ(bands[0].bottom - bands[0].top, static_cast<int>(step + 1.0)) << size;
    for (int i = 1; i < 256; ++i) {
      ASSERT_LE(bands[i].top, bands[i - 1].bottom) << size << " " << i;
      ASSERT_GE(bands[i].top, bands[i - 1].top) << size << " " << i;
    }
    ASSERT_GE(bands[255].bottom, size) << size;
    ASSERT_LE(bands[255].bottom, size + 1) << size;
  }
  EXPECT_EQ(GradientBands(gdUpDown, 1, 37)[255], (ui::IntRect{0, 36, 1, 37}));
}

TEST(GradientFillState, DefaultsAndSettersRepaintEveryTime) {
  FakeSystemColors colors;
  std::vector<TColor> paintedFirstBands;
  GradientFill* self = nullptr;
  GradientFill fill(colors, [&] { paintedFirstBands.push_back(self->BandColors()[0]); });
  self = &fill;
  EXPECT_EQ(fill.ColorStart(), clBlack);
  EXPECT_EQ(fill.ColorEnd(), clBlue);
  EXPECT_EQ(fill.Direction(), gdUpDown);
  EXPECT_FALSE(fill.Swap());
  EXPECT_EQ(fill.BandColors()[0], clBlack);
  EXPECT_EQ(fill.BandColors()[255], clBlue);
  EXPECT_TRUE(paintedFirstBands.empty());  // building does not paint

  fill.SetSwap(true);
  fill.SetSwap(true);  // the same value still rebuilds and repaints
  EXPECT_EQ(paintedFirstBands, (std::vector<TColor>{clBlue, clBlue}));

  fill.SetColorEnd(clGreen);
  fill.SetColorStart(clNavy);
  fill.SetColorStart(clNavy);
  fill.SetDirection(gdLeftRight);
  fill.SetDirection(gdLeftRight);
  EXPECT_EQ(paintedFirstBands,
            (std::vector<TColor>{clBlue, clBlue, clGreen, clGreen, clGreen, clGreen, clGreen}));
  fill.SetSwap(false);
  EXPECT_EQ(paintedFirstBands.back(), clNavy);
  EXPECT_EQ(fill.BandColors()[255], clGreen);

  // The table is read from the source again on every set.
  colors.values["ButtonFace"] = "1 2 3";
  fill.SetColorStart(clBtnFace);
  EXPECT_EQ(fill.BandColors()[0], RgbColor(1, 2, 3));
  colors.values["ButtonFace"] = "4 5 6";
  fill.SetDirection(gdUpDown);
  EXPECT_EQ(fill.BandColors()[0], RgbColor(4, 5, 6));
}

}  // namespace
}  // namespace tallimo
