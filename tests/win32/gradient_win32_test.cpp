// The gradient's bands painted on a real device context, and the system-colours seam
// against the real registry.
#include "components/gradient_win32.h"

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <shlwapi.h>

#include "components/gradient.h"
#include "fakes/fake_system_colors.h"
#include "platform/system_colors.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/panel.h"

namespace tallimo {
namespace {

using testing::FakeSystemColors;

constexpr TColor kSentinel = RgbColor(1, 254, 77);

// An off-screen image filled with kSentinel.
class SentinelImage : public ui::OffscreenImage {
 public:
  SentinelImage(int width, int height) : OffscreenImage(width, height) {
    const ui::OwnedBrush brush(CreateSolidBrush(kSentinel));
    const RECT all{0, 0, width, height};
    if (Valid()) FillRect(Dc(), &all, brush.Get());
  }
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
    SentinelImage surface(c.width, c.height);
    ASSERT_TRUE(surface.Valid());
    PaintGradientBands(surface.Dc(), colors, bands);
    const int length = across ? c.width : c.height;
    const int breadth = across ? c.height : c.width;
    for (int p = 0; p < length; ++p) {
      const TColor expected = ExpectedAt(colors, bands, across, p);
      ASSERT_NE(expected, kSentinel) << "gap at " << p;
      for (int q = 0; q < breadth; ++q) {
        const TColor got = across ? surface.Pixel(p, q) : surface.Pixel(q, p);
        ASSERT_EQ(got, expected) << c.width << "x" << c.height << " at " << p << "," << q;
      }
    }
    // The first edge is band 1's colour, the far edge the last band's.
    const TColor farEdge = across ? surface.Pixel(c.width - 1, 0) : surface.Pixel(0, c.height - 1);
    EXPECT_EQ(farEdge, colors[255]);
  }
}

// The seam reads HKCU\Control Panel\Colors. HKCU is redirected to a scratch key for the test,
// so the user's settings are neither read nor touched.
class SystemColorsRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    SHDeleteKeyA(HKEY_CURRENT_USER, kScratch);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &scratch_, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, scratch_), ERROR_SUCCESS);
  }
  void TearDown() override {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    if (scratch_) RegCloseKey(scratch_);
    SHDeleteKeyA(HKEY_CURRENT_USER, kScratch);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TallimoTests");  // only when left empty
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

// A windowless control on top of the gradient: a solid square.
class Marker : public ui::GraphicControl {
 public:
  void Paint(HDC dc) override {
    HBRUSH brush = CreateSolidBrush(RgbColor(250, 5, 5));
    const RECT all{0, 0, Width(), Height()};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
  }
};

// Counts its paints, to tell a paint at once from one left to WM_PAINT.
class CountingGradient : public TGradient {
 public:
  using TGradient::TGradient;
  int paints = 0;
  void Paint(HDC dc) override {
    ++paints;
    TGradient::Paint(dc);
  }
};

// A form holding a raised panel (bevel 1) that the gradient fills, with a marker on top.
class GradientOnPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    form.DesignPixelsPerInch = ui::App().GetScreen().PixelsPerInch();  // no fitting
    form.SetClientSize(kWidth, kPanelHeight + 40);
    panel.BevelOuter = ui::TBevelCut::bvRaised;
    panel.BevelWidth = 1;
    panel.SetBounds(0, 0, kWidth, kPanelHeight);
    panel.SetParent(&form);
    panel.SetAlign(ui::TAlign::alTop);
    gradient.SetParent(&panel);
    marker.SetBounds(20, 30, 10, 10);
    marker.SetParent(&panel);
  }
  void TearDown() override { ui::App().Restart(); }

  // The panel's client area as its parent paints it: background erase, then face and
  // graphic children in z-order.
  void PrintPanel(SentinelImage& surface) {
    SendMessageA(panel.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()),
                 PRF_CLIENT | PRF_ERASEBKGND);
  }

  static constexpr int kWidth = 200;
  static constexpr int kPanelHeight = 257;  // the gradient inside the bevel is 255 high
  FakeSystemColors colors;
  ui::Form form;
  ui::Panel panel;
  CountingGradient gradient{colors};
  Marker marker;
};

TEST_F(GradientOnPanel, FillsThePanelInsideItsBevelsBehindTheOtherControls) {
  gradient.SetSwap(true);  // no window yet: nothing to paint on
  EXPECT_EQ(gradient.paints, 0);
  form.Create();
  ASSERT_TRUE(panel.HandleAllocated());
  EXPECT_EQ(gradient.Align(), ui::TAlign::alClient);
  EXPECT_EQ(gradient.Left(), 1);
  EXPECT_EQ(gradient.Top(), 1);
  EXPECT_EQ(gradient.Width(), kWidth - 2);
  EXPECT_EQ(gradient.Height(), kPanelHeight - 2);

  SentinelImage surface(kWidth, kPanelHeight);
  ASSERT_TRUE(surface.Valid());
  PrintPanel(surface);
  const auto& bands = gradient.BandColors();
  for (int y = 1; y < kPanelHeight - 1; ++y) {
    for (int x = 1; x < kWidth - 1; ++x) {
      if (x >= 20 && x < 30 && y >= 30 && y < 40) {
        ASSERT_EQ(surface.Pixel(x, y), RgbColor(250, 5, 5)) << x << "," << y;  // on top
      } else {
        ASSERT_EQ(surface.Pixel(x, y), bands[y]) << x << "," << y;  // row y-1 shows band y
      }
    }
  }
  // The last band reaches one row past the control; the bevel below keeps its colour.
  EXPECT_NE(surface.Pixel(50, kPanelHeight - 1), bands[255]);
  EXPECT_EQ(surface.Pixel(50, kPanelHeight - 1), RgbColor(GetRValue(GetSysColor(COLOR_BTNSHADOW)),
                                                          GetGValue(GetSysColor(COLOR_BTNSHADOW)),
                                                          GetBValue(GetSysColor(COLOR_BTNSHADOW))));
}

TEST_F(GradientOnPanel, BackgroundEraseLeavesTheGradientsArea) {
  form.Create();
  SentinelImage surface(kWidth, kPanelHeight);
  ASSERT_TRUE(surface.Valid());
  EXPECT_EQ(SendMessageA(panel.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.Dc()), 0),
            1);
  EXPECT_NE(surface.Pixel(0, 0), kSentinel);  // the bevel's place is erased
  for (int y = 1; y < kPanelHeight - 1; y += 17) {
    for (int x = 1; x < kWidth - 1; x += 13) ASSERT_EQ(surface.Pixel(x, y), kSentinel);
  }
}

TEST_F(GradientOnPanel, SettersPaintAtOnceOnTheParentsWindow) {
  form.Show();
  ui::App().ProcessMessages();
  ASSERT_TRUE(IsWindowVisible(panel.Handle()));
  const int before = gradient.paints;

  HDC dc = GetDC(panel.Handle());
  const auto pixel = [&](int x, int y) {
    const COLORREF c = GetPixel(dc, x, y);
    return RgbColor(GetRValue(c), GetGValue(c), GetBValue(c));
  };
  // No message is handled between a set and the check: the paint happened in the setter.
  gradient.SetSwap(true);
  EXPECT_EQ(gradient.paints, before + 1);
  EXPECT_EQ(pixel(100, 1), RgbColor(0, 0, 254));  // row 0 of the control shows band 1
  EXPECT_EQ(pixel(100, kPanelHeight - 2), clBlack);
  gradient.SetSwap(true);
  EXPECT_EQ(gradient.paints, before + 2);

  gradient.SetColorStart(clNavy);
  gradient.SetColorEnd(clGreen);
  gradient.SetSwap(false);
  EXPECT_EQ(gradient.paints, before + 5);
  EXPECT_EQ(pixel(100, kPanelHeight - 2), clGreen);
  EXPECT_EQ(pixel(100, 1), gradient.BandColors()[1]);

  gradient.SetDirection(gdLeftRight);
  gradient.SetDirection(gdLeftRight);
  EXPECT_EQ(gradient.paints, before + 7);
  // 198 wide: step 0.776, so column 0 shows the last band starting at 0 (band 2).
  EXPECT_EQ(pixel(1, 100), gradient.BandColors()[2]);
  EXPECT_EQ(pixel(kWidth - 2, 100), clGreen);
  ReleaseDC(panel.Handle(), dc);
}

// Under Wine the user's colours are in the registry; each one read through the seam resolves
// to what the system reports for that colour.
TEST(SystemColorsHost, RegistryColoursMatchTheSystemsColours) {
  int compared = 0;
  for (int index = 1; index <= 24; ++index) {
    const TColor color = clSystemColor + static_cast<TColor>(index);
    const std::string text = HostSystemColors().ColorText(SystemColorValueName(color));
    if (text.empty()) continue;
    const COLORREF system = GetSysColor(index);
    EXPECT_EQ(ResolveColor(color, HostSystemColors()),
              (RgbTriple{GetRValue(system), GetGValue(system), GetBValue(system)}))
        << SystemColorValueName(color) << " = " << text;
    ++compared;
  }
  EXPECT_GE(compared, 10);
  // The selection colours are stored as "Hilight" and "HilightText"; they must be found.
  EXPECT_FALSE(HostSystemColors().ColorText(SystemColorValueName(clSystemColor + 13)).empty());
  EXPECT_FALSE(HostSystemColors().ColorText(SystemColorValueName(clSystemColor + 14)).empty());
}

}  // namespace
}  // namespace tallimo
