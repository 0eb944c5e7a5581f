// The label effect painted on real device contexts, every pixel read back and compared with
// the caption drawn alone at each layer's place; the push button driven with mouse messages;
// and the main window's heading after the form is loaded.
#include "components/label_effect_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/wide.h"
#include "ui/application.h"
#include "ui/gdi.h"
#include "win32/main_window_fixture.h"

namespace tallimo {
namespace {

using ColourAt = std::function<TColor(int x, int y)>;
void Fill(const ui::OffscreenImage& image, TColor colour) {
  for (int y = 0; y < image.Height(); ++y)
    std::fill_n(image.Row(y), image.Width(), ui::ColorToBitmapWord(colour));
}

// Where `draw` inks in the label's font (turned by `escapement`) on a w x h image.
using Shape = std::function<bool(int x, int y)>;
Shape TextShape(const TLabelEffect& l, int w, int h, const std::function<void(HDC)>& draw,
                int escapement = 0) {
  auto image = std::make_shared<ui::OffscreenImage>(w, h);
  Fill(*image, clWhite);
  LOGFONTW lf = ui::FontDescription(l.Font());
  lf.lfQuality = NONANTIALIASED_QUALITY;
  lf.lfEscapement = escapement;
  if (escapement) lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  image->SetFont(ui::OwnedFont(CreateFontIndirectW(&lf)));
  SetBkMode(image->Dc(), TRANSPARENT);
  SetTextColor(image->Dc(), 0);
  draw(image->Dc());
  return [image](int x, int y) { return image->Pixel(x, y) != clWhite; };
}
SIZE Measure(const TLabelEffect& l, const std::string& text, int escapement = 0) {
  SIZE size{0, 0};
  const auto measure = [&](HDC dc) {
    GetTextExtentPoint32A(dc, text.data(), int(text.size()), &size);
  };
  TextShape(l, 1, 1, measure, escapement);
  return size;
}
// The unrotated caption laid out as the layer at (dx, dy) is.
Shape LayerShape(const TLabelEffect& l, int dx, int dy, const char* text = nullptr) {
  const ui::IntRect r =
      UnrotatedTextRect(ComputeLayerSpread(l.DirectionHighlight(), l.DepthHighlight(),
                                           l.DirectionShadow(), l.DepthShadow(), l.Alignment()),
                        l.Width(), l.Height(), dx, dy);
  const UINT format = l.Alignment() == ui::TAlignment::taCenter ? DT_CENTER : DT_LEFT;
  return TextShape(l, l.Width(), l.Height(), [&](HDC dc) {
    RECT rect{r.left, r.top, r.right, r.bottom};
    DrawTextW(dc, Widen(text ? text : l.Caption()).c_str(), -1, &rect,
              format | DT_WORDBREAK | DT_EXPANDTABS);
  });
}

// A layer's place and colour (or colour by position).
struct Layer {
  int dx;
  int dy;
  TColor colour;
  ColourAt at = nullptr;
};
// Every pixel shows the topmost layer that inks it (layers bottom to top) or the background;
// returns how many pixels each layer shows. The label lies at row `top` of `got`.
std::vector<int> ExpectLayers(const TLabelEffect& l, const ui::OffscreenImage& got,
                              const ColourAt& background, const std::vector<Layer>& layers,
                              int top = 0) {
  std::vector<Shape> shapes;
  for (const Layer& layer : layers) shapes.push_back(LayerShape(l, layer.dx, layer.dy));
  std::vector<int> shown(layers.size());
  int wrong = 0;
  for (int y = 0; y < l.Height(); ++y) {
    for (int x = 0; x < l.Width(); ++x) {
      TColor expected = background(x, y);
      std::size_t topmost = layers.size();
      for (std::size_t i = 0; i < layers.size(); ++i)
        if (shapes[i](x, y))
          expected = layers[topmost = i].at ? layers[i].at(x, y) : layers[i].colour;
      if (topmost < layers.size()) ++shown[topmost];
      if (got.Pixel(x, y + top) != expected && wrong++ < 3)
        ADD_FAILURE() << x << "," << y << ": " << std::hex << got.Pixel(x, y + top) << " not "
                      << expected;
    }
  }
  EXPECT_EQ(wrong, 0);
  return shown;
}

void SetFontColour(TLabelEffect& l, TColor colour) {
  ui::TFont font = l.Font();
  font.color = colour;
  font.height = 24;
  l.SetFont(font);
}
// A label of w x h with `caption` in a 24-pixel font of `colour`, painted over `under`.
std::unique_ptr<ui::OffscreenImage> PaintOver(TLabelEffect& l, TColor under, const char* caption,
                                              int w, int h, TColor colour,
                                              const std::function<void(TLabelEffect&)>& setup) {
  l.SetBounds(0, 0, w, h);
  l.SetCaption(caption);
  SetFontColour(l, colour);
  setup(l);
  auto image = std::make_unique<ui::OffscreenImage>(w, h);
  Fill(*image, under);
  l.Paint(image->Dc());
  return image;
}

TEST(LabelEffectPaint, LayerStylesOverTheBackground) {
  const TColor grey = RgbColor(127, 127, 127), blue = RgbColor(0, 0, 200),
               red = RgbColor(255, 0, 0);
  struct Case {
    const char* name;
    std::function<void(TLabelEffect&)> setup;
    TColor under;  // what the parent painted
    std::vector<Layer> layers;
  };
  const std::vector<Case> cases = {
      {"esNone: both stacks at offset 0, under the face",
       [](TLabelEffect& l) {
         l.SetEffectStyle(esNone), l.SetColourShadow(clLime), l.SetColourHighlight(clYellow);
         SetFontColour(l, clNavy);
       },
       clWhite,
       {{0, 0, clNavy}}},
      {"esShadow extruded: shadows at 2 and 1, the highlight at 0",
       [](TLabelEffect& l) { l.SetEffectStyle(esShadow), l.SetStyleShadow(eoExtrude); },
       clSilver,
       {{2, 2, clBlack}, {1, 1, clBlack}, {0, 0, clGray}}},
      {"graduated shadow of depth 3 into the face colour",
       [&](TLabelEffect& l) {
         l.SetDepthHighlight(0), l.SetDepthShadow(3), l.SetStyleShadow(eoGraduated);
         SetFontColour(l, blue);
       },
       clWhite,
       {{3, 3, clBlack}, {2, 2, RgbColor(0, 0, 100)}, {1, 1, blue}, {0, 0, clWhite}, {0, 0, blue}}},
      {"real shadow over white",
       [](TLabelEffect& l) { l.SetStyleShadow(eoReal), SetFontColour(l, clBlack); },
       clWhite,
       {{1, 1, grey}, {-1, -1, clWhite}, {0, 0, clBlack}}},
      {"real highlight over black",
       [](TLabelEffect& l) { l.SetStyleHighlight(eoReal), SetFontColour(l, clNavy); },
       clBlack,
       {{1, 1, clBlack}, {-1, -1, grey}, {0, 0, clNavy}}},
      {"not transparent: the whole area in Color first",
       [&](TLabelEffect& l) {
         l.SetTransparent(false), l.SetColor(clYellow), SetFontColour(l, red);
       },
       clAqua,
       {{1, 1, clBlack}, {-1, -1, clWhite}, {0, 0, red}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TLabelEffect label;
    const auto surface = PaintOver(label, c.under, "Wag &ox\tMy", 200, 40, clGray, c.setup);
    const TColor background = label.Transparent() ? c.under : label.Color();
    const std::vector<int> shown = ExpectLayers(
        label, *surface, [&](int, int) { return background; }, c.layers);
    EXPECT_GT(shown.front(), 0);  // the deepest layer shows somewhere
    EXPECT_GT(shown.back(), 20);
  }
}

TEST(LabelEffectPaint, TurnedBoxAndUprightLetters) {
  // Not transparent, turned 30 degrees: only the turned box is filled, outlined in black.
  TLabelEffect turned;
  const auto surface = PaintOver(turned, clAqua, "Tilt", 160, 160, clGray, [](TLabelEffect& l) {
    l.SetTransparent(false), l.SetColor(clYellow), l.SetAngle(30);
  });
  const SIZE text = Measure(turned, "Tilt", 300), padded = Measure(turned, "Tilt   ", 300);
  const RotatedLayout box = LayOutRotated(text.cx, text.cy, padded.cx, {-1, 1, 0}, turned.Angles());
  const FaceExtent bounds = RotatedFaceExtent(box.Corners, goVertical);
  const int right = RotatedFaceExtent(box.Corners, goHorizontal).E + bounds.sx;
  for (const ui::IntPoint& p : box.Corners) EXPECT_EQ(surface->Pixel(p.x, p.y), clBlack);
  const Shape face = TextShape(
      turned, 160, 160, [&](HDC dc) { TextOutA(dc, box.OriginX + 1, box.OriginY + 1, "Tilt", 4); },
      300);
  int yellow = 0;
  for (int y = 0; y < 160; ++y) {
    for (int x = 0; x < 160; ++x) {
      const TColor p = surface->Pixel(x, y);
      const bool inBox =
          x >= bounds.sx && x <= right && y >= bounds.sy && y <= bounds.sy + bounds.E;
      ASSERT_TRUE(inBox || p == clAqua) << x << "," << y;
      ASSERT_EQ(p == clGray, face(x, y)) << x << "," << y;  // the caption turned as a whole
      yellow += p == clYellow;
    }
  }
  EXPECT_GT(yellow, 500);

  // Upright letters at 90 degrees: stacked upwards one text height apart at one x, the first
  // letter lowest.
  TLabelEffect upright;
  const auto stack = PaintOver(upright, clWhite, "AbC", 60, 120, clBlack, [](TLabelEffect& l) {
    l.SetEffectStyle(esNone), l.SetKeepLettersVertical(true), l.SetAngle(90);
  });
  const int h = Measure(upright, "AbC").cy;
  const Shape letters = TextShape(upright, 60, 120, [&](HDC dc) {
    for (int i = 0; i < 3; ++i) TextOutA(dc, 10, 10 + h * (2 - i), "AbC" + i, 1);
  });
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 60; ++x)
      ASSERT_EQ(stack->Pixel(x, y), letters(x, y) ? clBlack : clWhite) << x << "," << y;
}

// Greek, Cyrillic and Japanese lettering, flat, turned as a whole and upright: the face is the
// caption as the system draws it, and two words of one script differ (no boxes, no "?").
TEST(LabelEffectPaint, LettersOfEveryScript) {
  struct Script {
    const char* name;
    const char* word;
    const char* other;  // another word of as many letters
  };
  const Script scripts[] = {
      {"Greek", "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xAE", "\xCE\xA6\xCF\x89\xCF\x82\xCE\xAC"},
      {"Cyrillic", "\xD0\x9C\xD0\xB8\xD1\x80\xD1\x8A", "\xD0\x96\xD1\x83\xD0\xBA\xD0\xB8"},
      {"Japanese", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "\xE6\x9D\xB1\xE4\xBA\xAC\xE9\x83\xBD"},
  };
  const std::vector<std::pair<const char*, std::function<void(TLabelEffect&)>>> modes = {
      {"flat", [](TLabelEffect& l) { l.SetEffectStyle(esNone); }},
      {"turned", [](TLabelEffect& l) { l.SetEffectStyle(esNone), l.SetAngle(30); }},
      {"upright",
       [](TLabelEffect& l) {
         l.SetEffectStyle(esNone), l.SetKeepLettersVertical(true), l.SetAngle(90);
       }},
  };
  for (const Script& script : scripts) {
    for (const auto& [mode, setup] : modes) {
      SCOPED_TRACE(std::string(script.name) + ", " + mode);
      TLabelEffect one, two;
      const auto a = PaintOver(one, clWhite, script.word, 120, 120, clBlack, setup);
      const auto b = PaintOver(two, clWhite, script.other, 120, 120, clBlack, setup);
      int inked = 0, differing = 0;
      for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 120; ++x) {
          inked += a->Pixel(x, y) != clWhite;
          differing += a->Pixel(x, y) != b->Pixel(x, y);
        }
      }
      EXPECT_GT(inked, 40);
      EXPECT_GT(differing, 40);
      if (std::string(mode) == "flat")
        ExpectLayers(one, *a, [](int, int) { return clWhite; }, {{0, 0, clBlack}});
    }
  }
}

TEST(LabelEffectMouse, PushButtonAndPlainEvents) {
  ui::App().Restart();
  ui::Form form;
  form.DesignPixelsPerInch = ui::App().GetScreen().PixelsPerInch();
  TLabelEffect label;
  label.SetParent(&form);
  label.SetBounds(10, 10, 100, 30);
  std::vector<std::string> events;
  label.OnClick = [&] { events.push_back("click"); };
  label.OnMouseDown = [&](ui::TMouseButton, ui::TShiftState s, int x, int y) {
    events.push_back("down " + std::to_string(s) + " " + std::to_string(x) + "," +
                     std::to_string(y));
  };
  label.OnMouseUp = [&](ui::TMouseButton, ui::TShiftState, int, int) { events.push_back("up"); };
  form.Create();
  const auto send = [&](UINT msg, WPARAM keys, int x, int y) {
    SendMessageA(form.Handle(), msg, keys, MAKELPARAM(x, y));
    return label.EffectStyle();
  };
  label.SetAsButton(true);
  EXPECT_EQ(send(WM_RBUTTONDOWN, MK_RBUTTON, 20, 20), esRaised);
  EXPECT_EQ(send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20), esSunken);
  EXPECT_EQ(send(WM_MOUSEMOVE, MK_LBUTTON, 200, 20), esRaised);  // held, outside
  EXPECT_EQ(send(WM_MOUSEMOVE, MK_LBUTTON, 110, 40), esSunken);  // the far edges count
  EXPECT_EQ(send(WM_LBUTTONUP, 0, 30, 20), esRaised);
  label.SetEnabled(false);  // takes nothing, not even the click
  EXPECT_EQ(send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20), esRaised);
  send(WM_LBUTTONUP, 0, 20, 20);
  label.SetEnabled(true);
  label.SetAsButton(false);
  send(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 20, 25);
  send(WM_LBUTTONUP, 0, 200, 20);  // released outside: no click
  EXPECT_EQ(events, (std::vector<std::string>{"click", "down 12 10,15", "up"}));
  form.DestroyHandle();
}

class LabelEffectHeading : public MainWindowFixture<> {
 protected:
  LabelEffectHeading() { screen = FixedScreen{120, 1280, 1024}; }  // the design's own: no fitting
};

TEST_F(LabelEffectHeading, MainWindowAfterLoad) {
  ScaleFactor = 96.0;
  CreateMainForm("Tallimo.exe", "C:\\Tallimo.exe");
  TLabelEffect& l = form->LabelSelect;
  ASSERT_EQ(std::make_pair(l.Top(), l.Height()), std::make_pair(1, 31));

  // The panel as its parent paints it: the banner, then the heading over it.
  const auto print = [&](ui::OffscreenImage& image) {
    SendMessageA(form->PanList.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.Dc()),
                 PRF_CLIENT | PRF_ERASEBKGND);
  };
  ui::OffscreenImage banner(form->PanList.Width(), 40), painted(form->PanList.Width(), 40);
  l.SetVisible(false);
  print(banner);
  l.SetVisible(true);
  print(painted);
  // Shadow in (-1, 0)-(W-1, 31), highlight in (1, 2)-(W+1, 33), face in (0, 1)-(W, 32), its
  // rows from blue at y = 1 to black at y = h(caption).
  const ColourRamp ramp(clBlue, clBlack, Measure(l, l.Caption()).cy - 1);
  const std::vector<int> shown = ExpectLayers(
      l, painted, [&](int x, int y) { return banner.Pixel(x, y + 1); },
      {{-1, -1, clOlive}, {1, 1, clWhite}, {0, 0, 0, [&](int, int y) { return ramp.At(y - 1); }}},
      1);
  EXPECT_GT(shown[0], 30);
  EXPECT_GT(shown[1], 30);
  // The face is the caption without its ampersand plus one line under the "S"; its first row
  // nearly blue, its last nearly black.
  const Shape face = LayerShape(l, 0, 0),
              plain = LayerShape(l, 0, 0, "Select a Program to Install");
  int top = -1, bottom = 0, left = l.Width(), underline = 0, underlineRow = -1;
  for (int y = 0; y < l.Height(); ++y) {
    for (int x = 0; x < l.Width(); ++x) {
      EXPECT_TRUE(face(x, y) || !plain(x, y)) << x << "," << y;  // no ampersand before them
      if (!face(x, y)) continue;
      top = top < 0 ? y : top, bottom = y, left = std::min(left, x);
      if (plain(x, y)) continue;
      ++underline;
      EXPECT_TRUE(underlineRow < 0 || underlineRow == y) << "one row only, at " << y;
      underlineRow = y;
    }
  }
  const int sWidth = Measure(l, "S").cx;
  EXPECT_GE(underline, sWidth - 4);
  EXPECT_LE(underline, sWidth + 1);
  for (int x = 0; x < l.Width(); ++x) {
    EXPECT_TRUE(!face(x, top) || BlueOf(painted.Pixel(x, top + 1)) > 150) << x;
    EXPECT_TRUE(!face(x, bottom) || BlueOf(painted.Pixel(x, bottom + 1)) < 60) << x;
    EXPECT_TRUE(plain(x, underlineRow) || !face(x, underlineRow) || x <= left + sWidth) << x;
  }

  // The heading's paint time: the median of 100 paints.
  std::vector<double> ms;
  for (int i = 0; i < 100; ++i) {
    const auto start = std::chrono::steady_clock::now();
    l.Paint(banner.Dc());
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::nth_element(ms.begin(), ms.begin() + 50, ms.end());
  std::printf("heading paint (%d x %d): median of 100 paints %.3f ms\n", l.Width(), l.Height(),
              ms[50]);
  EXPECT_LT(ms[50], 100.0);
}

}  // namespace
}  // namespace tallimo
