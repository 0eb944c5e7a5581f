// The gradient's bands painted on a real device context, and the system-colours seam
// against the real registry.
#include "components/gradient_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "components/gradient.h"
#include "platform/fake_system_colors.h"
#include "platform/system_colors.h"

namespace tallimo {
namespace {

constexpr TColor kSentinel = RgbColor(1, 254, 77);

// A 32-bit top-down DIB section selected into a memory DC, filled with kSentinel.
class DibSurface {
 public:
  DibSurface(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(kSentinel);
    const RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~DibSurface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  bool Valid() const { return dc_ && bitmap_ && bits_; }
  HDC Dc() const { return dc_; }
  // The pixel as a 0x00BBGGRR colour (the DIB stores 0x00RRGGBB).
  TColor At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = static_cast<const std::uint32_t*>(bits_)[y * width_ + x];
    return RgbColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

// The colour the last band covering position p along the axis leaves there.
TColor ExpectedAt(const GradientColorTable& colors, const GradientBandRects& bands, bool across,
                  int p) {
  TColor shown = kSentinel;
  for (int i = 0; i < kGradientBands; ++i) {
    const int from = across ? bands[i].left : bands[i].top;
    const int to = across ? bands[i].right : bands[i].bottom;
    if (from <= p && p < to) shown = colors[i];
  }
  return shown;
}

TEST(GradientPaint, RowsOfAStepOneControlShowTheNextBand) {
  FakeSystemColors source;
  const auto colors = BuildColorTable(clBlack, clBlue, true, source);
  DibSurface surface(120, 255);
  ASSERT_TRUE(surface.Valid());
  PaintGradientBands(surface.Dc(), colors, GradientBands(gdUpDown, 120, 255));
  for (int y = 0; y < 255; ++y) {
    for (int x = 0; x < 120; ++x) {
      ASSERT_EQ(surface.At(x, y), colors[y + 1]) << x << "," << y;
    }
  }
  EXPECT_EQ(surface.At(0, 0), RgbColor(0, 0, 254));  // band 1 covers band 0
  EXPECT_EQ(surface.At(60, 254), clBlack);
}

TEST(GradientPaint, ColumnsLeftRightAndRowsOfUnevenSizes) {
  FakeSystemColors source;
  const auto colors = BuildColorTable(clNavy, clGreen, false, source);
  struct Case {
    TGradDirection direction;
    int width;
    int height;
  };
  for (const Case& c : {Case{gdLeftRight, 300, 37}, Case{gdUpDown, 300, 37},
                        Case{gdUpDown, 37, 601}, Case{gdLeftRight, 1000, 3}}) {
    const bool across = c.direction == gdLeftRight;
    const auto bands = GradientBands(c.direction, c.width, c.height);
    DibSurface surface(c.width, c.height);
    ASSERT_TRUE(surface.Valid());
    PaintGradientBands(surface.Dc(), colors, bands);
    const int length = across ? c.width : c.height;
    const int breadth = across ? c.height : c.width;
    for (int p = 0; p < length; ++p) {
      const TColor expected = ExpectedAt(colors, bands, across, p);
      ASSERT_NE(expected, kSentinel) << "gap at " << p;
      for (int q = 0; q < breadth; ++q) {
        const TColor got = across ? surface.At(p, q) : surface.At(q, p);
        ASSERT_EQ(got, expected) << c.width << "x" << c.height << " at " << p << "," << q;
      }
    }
    // The first edge is band 1's colour, the far edge the last band's.
    const TColor farEdge = across ? surface.At(c.width - 1, 0) : surface.At(0, c.height - 1);
    EXPECT_EQ(farEdge, colors[255]);
  }
}

TEST(GradientPaint, EmptyAxisPaintsNothingVisibleOutsideItsBands) {
  FakeSystemColors source;
  const auto colors = BuildColorTable(clWhite, clWhite, false, source);
  DibSurface surface(20, 10);
  ASSERT_TRUE(surface.Valid());
  // A control of height 0 at the top: all 256 bands fill row 0 only (the control clips it).
  PaintGradientBands(surface.Dc(), colors, GradientBands(gdUpDown, 20, 0));
  for (int x = 0; x < 20; ++x) EXPECT_EQ(surface.At(x, 0), clWhite);
  for (int y = 1; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) ASSERT_EQ(surface.At(x, y), kSentinel);
  }
}

// The seam reads HKCU\Control Panel\Colors. HKCU is redirected to a scratch key for the test,
// so the user's settings are neither read nor touched.
class SystemColorsRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &scratch_, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, scratch_), ERROR_SUCCESS);
  }
  void TearDown() override {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    if (scratch_) RegCloseKey(scratch_);
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
  }
  HKEY CreateColorsKey() {
    HKEY colors = nullptr;
    EXPECT_EQ(RegCreateKeyExA(scratch_, "Control Panel\\Colors", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &colors, nullptr),
              ERROR_SUCCESS);
    return colors;
  }
  static constexpr const char* kScratch = "Software\\TallimoTests\\SystemColors";
  HKEY scratch_ = nullptr;
};

TEST_F(SystemColorsRegistry, MissingKeyReadsEmptyAndIsNotCreated) {
  EXPECT_EQ(HostSystemColors().ColorText("ButtonFace"), "");
  HKEY probe = nullptr;
  EXPECT_NE(RegOpenKeyExA(scratch_, "Control Panel", 0, KEY_READ, &probe), ERROR_SUCCESS);
  if (probe) RegCloseKey(probe);
}

TEST_F(SystemColorsRegistry, ReadsStringValuesOnly) {
  HKEY colors = CreateColorsKey();
  ASSERT_NE(colors, nullptr);
  const char face[] = "192 192 192";
  RegSetValueExA(colors, "ButtonFace", 0, REG_SZ, reinterpret_cast<const BYTE*>(face), sizeof face);
  const char odd[] = "255  0";  // stored without its terminating zero
  RegSetValueExA(colors, "InfoWindow", 0, REG_SZ, reinterpret_cast<const BYTE*>(odd),
                 sizeof odd - 1);
  const DWORD number = 0x00C0C0C0;
  RegSetValueExA(colors, "Window", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof number);
  RegSetValueExA(colors, "Menu", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
  RegCloseKey(colors);

  SystemColors& host = HostSystemColors();
  EXPECT_EQ(host.ColorText("ButtonFace"), "192 192 192");
  EXPECT_EQ(host.ColorText("InfoWindow"), "255  0");
  EXPECT_EQ(host.ColorText("Window"), "");  // not a text
  EXPECT_EQ(host.ColorText("Menu"), "");
  EXPECT_EQ(host.ColorText("Highlight"), "");  // absent

  EXPECT_EQ(ResolveColor(clBtnFace, host), (RgbTriple{192, 192, 192}));
  EXPECT_EQ(ResolveColor(0x80000018, host), (RgbTriple{255, 0, 0}));
  EXPECT_EQ(ResolveColor(clWindow, host), (RgbTriple{5, 0, 0}));
  EXPECT_EQ(ResolveColor(0x8000000D, host), (RgbTriple{13, 0, 0}));
}

}  // namespace
}  // namespace tallimo
