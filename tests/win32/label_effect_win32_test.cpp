// The label effect painted on real device contexts, its pixels read back and compared with
// the caption drawn alone at each layer's place; its push-button behaviour driven with mouse
// messages; and the main window's heading after the form is loaded.
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
#include "fakes/fake_clipboard.h"
#include "fakes/fake_prompter.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "unit/catalogue_fakes.h"
#include "unit/install_fakes.h"

namespace tallimo {
namespace {

using ColourAt = std::function<TColor(int x, int y)>;
ColourAt Solid(TColor c) {
  return [c](int, int) { return c; };
}

void Fill(const ui::OffscreenImage& image, TColor colour) {
  for (int y = 0; y < image.Height(); ++y)
    std::fill_n(image.Row(y), image.Width(), ui::ColorToBitmapWord(colour));
}

// Where text drawn by `draw` in the label's font inks, on a w x h image.
struct Shape {
  int width = 0;
  std::vector<char> ink;
  bool At(int x, int y) const { return ink[static_cast<std::size_t>(y * width + x)] != 0; }
};
Shape TextShape(const TLabelEffect& label, int w, int h, int escapement,
                const std::function<void(HDC)>& draw) {
  ui::OffscreenImage image(w, h);
  Fill(image, clWhite);
  LOGFONTA lf = ui::FontDescription(label.Font());
  lf.lfQuality = NONANTIALIASED_QUALITY;
  lf.lfEscapement = escapement;
  if (escapement) lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  image.SetFont(ui::OwnedFont(CreateFontIndirectA(&lf)));
  SetBkMode(image.Dc(), TRANSPARENT);
  SetTextColor(image.Dc(), 0);
  draw(image.Dc());
  Shape shape{w, std::vector<char>(static_cast<std::size_t>(w * h))};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      shape.ink[static_cast<std::size_t>(y * w + x)] = image.Pixel(x, y) != clWhite;
  return shape;
}

// The unrotated caption laid out with DrawTextA as a layer at (dx, dy) is laid out.
Shape UnrotatedShape(const TLabelEffect& l, int dx, int dy) {
  const LayerSpread spread =
      ComputeLayerSpread(l.DirectionHighlight(), l.DepthHighlight(), l.DirectionShadow(),
                         l.DepthShadow(), l.Alignment());
  const IntRect r = UnrotatedTextRect(spread, l.Width(), l.Height(), dx, dy);
  UINT format = DT_WORDBREAK | DT_EXPANDTABS;
  if (l.Alignment() == ui::TAlignment::taCenter) format |= DT_CENTER;
  return TextShape(l, l.Width(), l.Height(), 0, [&](HDC dc) {
    RECT rect{r.left, r.top, r.right, r.bottom};
    DrawTextA(dc, l.Caption().c_str(), -1, &rect, format);
  });
}

struct ExpectedLayer {
  int dx;
  int dy;
  ColourAt colour;
};

// Every pixel shows the topmost layer that inks it (layers bottom to top), else the
// background. Returns how many pixels each layer shows.
std::vector<int> ExpectLayers(const TLabelEffect& l, const ui::OffscreenImage& got,
                              const ColourAt& background, const std::vector<ExpectedLayer>& layers,
                              int originY = 0) {
  std::vector<Shape> shapes;
  for (const ExpectedLayer& layer : layers) shapes.push_back(UnrotatedShape(l, layer.dx, layer.dy));
  std::vector<int> shown(layers.size());
  int wrong = 0;
  for (int y = 0; y < l.Height(); ++y) {
    for (int x = 0; x < l.Width(); ++x) {
      TColor expected = background(x, y);
      int top = -1;
      for (std::size_t i = 0; i < layers.size(); ++i) {
        if (shapes[i].At(x, y)) {
          expected = layers[i].colour(x, y);
          top = static_cast<int>(i);
        }
      }
      if (top >= 0) ++shown[static_cast<std::size_t>(top)];
      const TColor pixel = got.Pixel(x, y + originY);
      if (pixel != expected && wrong++ < 3)
        ADD_FAILURE() << "at " << x << "," << y << ": " << std::hex << pixel << " not " << expected;
    }
  }
  EXPECT_EQ(wrong, 0);
  return shown;
}

SIZE Measure(const TLabelEffect& l, const std::string& text) {
  SIZE size{0, 0};
  TextShape(l, 1, 1, 0, [&](HDC dc) {
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  });
  return size;
}

TLabelEffect& Sized(TLabelEffect& l, const char* caption, int w, int h) {
  l.SetBounds(0, 0, w, h);
  l.SetCaption(caption);
  ui::TFont font = l.Font();
  font.height = 24;
  l.SetFont(font);
  return l;
}

void SetFontColour(TLabelEffect& l, TColor colour) {
  ui::TFont font = l.Font();
  font.color = colour;
  l.SetFont(font);
}

TEST(LabelEffectPaint, LayerStylesOverTheBackground) {
  const TColor grey = RgbColor(127, 127, 127);
  const TColor red = RgbColor(255, 0, 0), green = RgbColor(0, 255, 0);
  struct Case {
    const char* name;
    std::function<void(TLabelEffect&)> setup;
    TColor under;       // what the parent painted
    TColor background;  // what the label shows behind its letters
    std::vector<ExpectedLayer> layers;
  };
  const std::vector<Case> cases = {
      {"esNone: both layers at offset 0, under the face",
       [&](TLabelEffect& l) {
         l.SetEffectStyle(esNone);
         l.SetColourShadow(red);
         l.SetColourHighlight(green);
         SetFontColour(l, clNavy);
       },
       clWhite,
       clWhite,
       {{0, 0, Solid(clNavy)}}},
      {"esShadow extruded: shadow at 2 and 1, highlight at 0",
       [](TLabelEffect& l) {
         l.SetEffectStyle(esShadow);
         l.SetStyleShadow(eoExtrude);
         l.SetColourShadow(clOlive);
       },
       clSilver,
       clSilver,
       {{2, 2, Solid(clOlive)},
        {1, 1, Solid(clOlive)},
        {0, 0, Solid(clWhite)},
        {0, 0, Solid(clGray)}}},
      {"graduated shadow of depth 3 into the face colour",
       [](TLabelEffect& l) {
         l.SetDepthHighlight(0);
         l.SetDepthShadow(3);
         l.SetStyleShadow(eoGraduated);
         SetFontColour(l, RgbColor(0, 0, 200));
       },
       clWhite,
       clWhite,
       {{3, 3, Solid(clBlack)},
        {2, 2, Solid(RgbColor(0, 0, 100))},
        {1, 1, Solid(RgbColor(0, 0, 200))},
        {0, 0, Solid(clWhite)},
        {0, 0, Solid(RgbColor(0, 0, 200))}}},
      {"real shadow over white halves it",
       [](TLabelEffect& l) { l.SetStyleShadow(eoReal), SetFontColour(l, clBlack); },
       clWhite,
       clWhite,
       {{1, 1, Solid(grey)}, {-1, -1, Solid(clWhite)}, {0, 0, Solid(clBlack)}}},
      {"real highlight over black halves it towards white",
       [](TLabelEffect& l) { l.SetStyleHighlight(eoReal), SetFontColour(l, clNavy); },
       clBlack,
       clBlack,
       {{1, 1, Solid(clBlack)}, {-1, -1, Solid(grey)}, {0, 0, Solid(clNavy)}}},
      {"not transparent: the whole area in Color first",
       [](TLabelEffect& l) { l.SetTransparent(false), l.SetColor(clYellow); },
       clAqua,
       clYellow,
       {{1, 1, Solid(clBlack)}, {-1, -1, Solid(clWhite)}, {0, 0, Solid(clGray)}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TLabelEffect label;
    Sized(label, "Wag &ox\tMy", 200, 40);
    c.setup(label);
    ui::OffscreenImage surface(200, 40);
    Fill(surface, c.under);
    label.Paint(surface.Dc());
    const std::vector<int> shown = ExpectLayers(label, surface, Solid(c.background), c.layers);
    EXPECT_GT(shown.front(), 0);  // the deepest layer shows somewhere (or the face alone)
    EXPECT_GT(shown.back(), 20);
  }
}

TEST(LabelEffectPaint, RotatedBoxAndUprightLetters) {
  // A non-transparent caption turned by 30 degrees: the turned box filled and outlined black.
  TLabelEffect turned;
  Sized(turned, "Tilt", 160, 160);
  turned.SetTransparent(false);
  turned.SetColor(clYellow);
  turned.SetAngle(30);
  ui::OffscreenImage surface(160, 160);
  Fill(surface, clAqua);
  turned.Paint(surface.Dc());
  LOGFONTA lf = ui::FontDescription(turned.Font());
  lf.lfEscapement = 300;
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  ui::OffscreenImage probe(1, 1);
  probe.SetFont(ui::OwnedFont(CreateFontIndirectA(&lf)));
  SIZE text, padded;
  GetTextExtentPoint32A(probe.Dc(), "Tilt", 4, &text);
  GetTextExtentPoint32A(probe.Dc(), "Tilt   ", 7, &padded);
  const RotatedLayout box =
      LayOutRotated(text.cx, text.cy, padded.cx, LayerSpread{-1, 1, 0}, turned.Angles());
  int minX = 160, maxX = 0, minY = 160, maxY = 0;
  for (const IntPoint& p : box.Corners) {
    EXPECT_EQ(surface.Pixel(p.x, p.y), clBlack) << p.x << "," << p.y;
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  int yellow = 0, face = 0;
  for (int y = 0; y < 160; ++y) {
    for (int x = 0; x < 160; ++x) {
      const TColor p = surface.Pixel(x, y);
      const bool inBox = x >= minX && x <= maxX && y >= minY && y <= maxY;
      if (!inBox) {
        ASSERT_EQ(p, clAqua) << x << "," << y;
      }
      yellow += p == clYellow;
      face += p == clGray;
    }
  }
  EXPECT_GT(yellow, 500);
  EXPECT_GT(face, 30);
  // The face is the caption turned as a whole: drawn alone at the origin it inks the same.
  const Shape turnedText = TextShape(turned, 160, 160, 300, [&](HDC dc) {
    TextOutA(dc, box.OriginX + 1, box.OriginY + 1, "Tilt", 4);
  });
  for (int y = 0; y < 160; ++y)
    for (int x = 0; x < 160; ++x)
      if (surface.Pixel(x, y) == clGray) {
        ASSERT_TRUE(turnedText.At(x, y)) << x << "," << y;
      }

  // Upright letters at 90 degrees: stacked upwards one text height apart at one x.
  TLabelEffect upright;
  Sized(upright, "AbC", 60, 120);
  upright.SetEffectStyle(esNone);
  SetFontColour(upright, clBlack);
  upright.SetAngle(90);
  upright.SetKeepLettersVertical(true);
  ui::OffscreenImage stack(60, 120);
  Fill(stack, clWhite);
  upright.Paint(stack.Dc());
  const SIZE cell = Measure(upright, "AbC");
  const Shape letters = TextShape(upright, 60, 120, 0, [&](HDC dc) {
    for (int i = 0; i < 3; ++i) TextOutA(dc, 10, 10 + cell.cy * (2 - i), "AbC" + i, 1);
  });
  int ink = 0;
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 60; ++x) {
      ASSERT_EQ(stack.Pixel(x, y), letters.At(x, y) ? clBlack : clWhite) << x << "," << y;
      ink += letters.At(x, y);
    }
  }
  EXPECT_GT(ink, 50);

  // Angle 0 draws the same with or without upright letters; an empty caption or a face one
  // pixel high draws without failing.
  TLabelEffect a, b;
  Sized(a, "Same", 80, 30), Sized(b, "Same", 80, 30);
  b.SetKeepLettersVertical(true);
  ui::OffscreenImage pa(80, 30), pb(80, 30);
  Fill(pa, clWhite), Fill(pb, clWhite);
  a.Paint(pa.Dc()), b.Paint(pb.Dc());
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) ASSERT_EQ(pa.Pixel(x, y), pb.Pixel(x, y));
  TLabelEffect empty;
  Sized(empty, "", 40, 20).SetGraduateFace(goHorizontal);
  ui::OffscreenImage pe(40, 20);
  Fill(pe, clAqua);
  EXPECT_NO_THROW(empty.Paint(pe.Dc()));
  EXPECT_EQ(pe.Pixel(5, 5), clAqua);
  ui::TFont tiny = empty.Font();
  tiny.height = 1;
  empty.SetFont(tiny);
  empty.SetCaption("x");
  empty.SetGraduateFace(goVertical);
  EXPECT_NO_THROW(empty.Paint(pe.Dc()));
}

TEST(LabelEffectMouse, PushButtonAndPlainEvents) {
  ui::App().Restart();
  ui::Form form;
  form.DesignPixelsPerInch = ui::App().GetScreen().PixelsPerInch();
  form.SetClientSize(300, 100);
  TLabelEffect label;
  // As made: 142 x 33, transparent on clWindow, 20-point "Times New Roman" in csWindows' face.
  EXPECT_EQ(label.Width(), 142);
  EXPECT_EQ(label.Height(), 33);
  EXPECT_TRUE(label.Transparent());
  EXPECT_EQ(label.Color(), clWindow);
  EXPECT_EQ(label.Font().name, "Times New Roman");
  EXPECT_EQ(label.Font().height, 33);
  EXPECT_EQ(label.Font().color, clGray);
  EXPECT_EQ(label.GraduateFrom(), clWindowText);
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
  const HWND h = form.Handle();
  const auto send = [&](UINT msg, WPARAM keys, int x, int y) {
    SendMessageA(h, msg, keys, MAKELPARAM(x, y));
    return label.EffectStyle();
  };

  label.SetAsButton(true);
  EXPECT_EQ(send(WM_RBUTTONDOWN, MK_RBUTTON, 20, 20), esRaised);
  EXPECT_EQ(send(WM_RBUTTONUP, 0, 20, 20), esRaised);
  EXPECT_EQ(send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20), esSunken);
  EXPECT_EQ(send(WM_MOUSEMOVE, MK_LBUTTON, 200, 20), esRaised);  // held: outside
  EXPECT_EQ(send(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 30, 20), esRaised);
  EXPECT_EQ(send(WM_MOUSEMOVE, MK_LBUTTON, 110, 40), esSunken);  // the far edges count
  EXPECT_EQ(send(WM_LBUTTONUP, 0, 30, 20), esRaised);
  EXPECT_EQ(events, (std::vector<std::string>{"click"}));

  label.SetEnabled(false);
  send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
  EXPECT_EQ(send(WM_LBUTTONUP, 0, 20, 20), esRaised);
  label.SetEnabled(true);
  label.SetAsButton(false);
  send(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 20, 25);
  EXPECT_EQ(send(WM_LBUTTONUP, 0, 200, 20), esRaised);  // released outside: no click
  EXPECT_EQ(events, (std::vector<std::string>{"click", "down 12 10,15", "up"}));
  form.DestroyHandle();
}

TEST(LabelEffectHeading, MainWindowAfterLoad) {
  testing::FakePrompter prompter;
  testing::FakeClipboard clipboard;
  test::FakeEnvironment environment;
  test::EventLog launched;
  test::FakeShell shell{launched};
  testing::MemoryFileSystem files;
  testing::EnglishLocale locale;
  testing::FixedClock clock;
  FixedScreen screen{120, 1280, 1024};  // the design's own resolution: nothing is fitted
  ui::App().SetPrompter(&prompter);
  ui::App().SetScreen(&screen);
  ui::App().Restart();
  ScaleFactor = 96.0;
  auto form = std::make_unique<TFTallimo>(MainWindowSeams{
      files, locale, clock, "Tallimo.exe", "C:\\Disc\\Tallimo.exe", clipboard, environment, shell});
  form->Create();
  TLabelEffect& l = form->LabelSelect;
  EXPECT_EQ(l.EffectStyle(), esSunken);
  EXPECT_EQ(l.ColourScheme(), csCustom);
  EXPECT_EQ(l.ColourShadow(), clOlive);
  EXPECT_EQ(l.ColourHighlight(), clWhite);
  EXPECT_EQ(l.GraduateFrom(), clBlue);
  EXPECT_EQ(l.Font().color, clBlack);
  EXPECT_EQ(l.Font().height, 25);
  EXPECT_EQ(l.Height(), 31);
  EXPECT_EQ(l.Top(), 1);
  EXPECT_EQ(l.Width(), form->ClientWidth());

  // The panel as its parent paints it: the banner, then the heading over it.
  const HWND panel = form->PanList.Handle();
  ui::OffscreenImage banner(form->PanList.Width(), 40), painted(form->PanList.Width(), 40);
  l.SetVisible(false);
  SendMessageA(panel, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(banner.Dc()),
               PRF_CLIENT | PRF_ERASEBKGND);
  l.SetVisible(true);
  SendMessageA(panel, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.Dc()),
               PRF_CLIENT | PRF_ERASEBKGND);

  const SIZE text = Measure(l, l.Caption());
  const ColourRamp ramp(clBlue, clBlack, text.cy - 1);
  // Shadow laid out in (-1, 0)-(W-1, 31), highlight in (1, 2)-(W+1, 33), face in (0, 1)-(W, 32)
  // with one band a row from y = 1.
  const std::vector<int> shown = ExpectLayers(
      l, painted, [&](int x, int y) { return banner.Pixel(x, y + 1); },
      {{-1, -1, Solid(clOlive)},
       {1, 1, Solid(clWhite)},
       {0, 0, [&](int, int y) { return ramp.At(y - 1); }}},
      1);
  EXPECT_GT(shown[0], 30);
  EXPECT_GT(shown[1], 30);
  // The first and last rows of the face: nearly blue at the top, nearly black at the bottom.
  const Shape face = UnrotatedShape(l, 0, 0);
  int top = -1, bottom = -1, left = l.Width();
  for (int y = 0; y < l.Height(); ++y)
    for (int x = 0; x < l.Width(); ++x)
      if (face.At(x, y)) {
        if (top < 0) top = y;
        bottom = y;
        left = std::min(left, x);
      }
  ASSERT_GT(top, 0);
  for (int x = 0; x < l.Width(); ++x)
    if (face.At(x, top)) {
      EXPECT_EQ(painted.Pixel(x, top + 1), ramp.At(top - 1));
      EXPECT_GT(BlueOf(painted.Pixel(x, top + 1)), 150);
    }
  EXPECT_EQ(ramp.At(0), clBlue);
  EXPECT_EQ(ramp.At(text.cy - 1), clBlack);
  // The face's last row is nearly black.
  for (int x = 0; x < l.Width(); ++x)
    if (face.At(x, bottom)) {
      EXPECT_LT(BlueOf(painted.Pixel(x, bottom + 1)), 60);
    }
  // The face is the caption without its ampersand, plus one line under the "S".
  const Shape plain = TextShape(l, l.Width(), l.Height(), 0, [&](HDC dc) {
    RECT rect{0, 1, l.Width(), l.Height() + 1};
    DrawTextA(dc, "Select a Program to Install", -1, &rect, DT_CENTER | DT_WORDBREAK);
  });
  const int sWidth = Measure(l, "S").cx;
  int underline = 0, underlineRow = -1;
  for (int y = 0; y < l.Height(); ++y)
    for (int x = 0; x < l.Width(); ++x) {
      if (plain.At(x, y)) {
        ASSERT_TRUE(face.At(x, y)) << x << "," << y;
      }
      if (!face.At(x, y) || plain.At(x, y)) continue;
      ++underline;
      EXPECT_TRUE(underlineRow < 0 || underlineRow == y) << "one row only, at " << y;
      underlineRow = y;
      EXPECT_GE(x, left);
      EXPECT_LE(x, left + sWidth);
    }
  EXPECT_GE(underline, sWidth - 4);
  EXPECT_LE(underline, sWidth + 1);
  EXPECT_GT(underlineRow, top + text.cy / 2);

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

  form.reset();
  ui::App().Restart();
  ui::App().SetPrompter(nullptr);
  ui::App().SetScreen(nullptr);
}

}  // namespace
}  // namespace tallimo
