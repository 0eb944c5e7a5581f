// The label effect control and its painting: the label is composed on an off-screen image
// from the background under it, the shadow layers, the highlight layers and the face, and
// copied onto the control in one step.
#include "components/label_effect_win32.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/error.h"
#include "platform/wide.h"
#include "ui/gdi.h"

namespace tallimo {

TLabelEffect::TLabelEffect() {
  SetBounds(0, 0, 142, 33);
  ui::TFont font;  // its colour is still the default text colour, GraduateFrom's default
  font.name = "Times New Roman";
  font.height = 33;  // 20 points at the 120 pixels per inch the designs are made at
  font.color = SchemeColours(csWindows).face;
  SetFont(font);
}

void TLabelEffect::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Invalidate();
}

void TLabelEffect::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void TLabelEffect::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Invalidate();
}

void TLabelEffect::SetFontColour(TColor colour) {
  ui::TFont font = Font();
  font.color = colour;
  SetFont(font);
}

void TLabelEffect::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
  if (!enabled_) return;
  if (!ButtonPress(button, enabled_)) GraphicControl::MouseDown(button, shift, x, y);
}

void TLabelEffect::MouseMove(ui::TShiftState shift, int x, int y) {
  if (!enabled_) return;
  if (!ButtonMove(shift, x, y, Width(), Height())) GraphicControl::MouseMove(shift, x, y);
}

void TLabelEffect::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
  if (!enabled_) return;
  if (!ButtonRelease(x, y, Width(), Height())) GraphicControl::MouseUp(button, shift, x, y);
}

void TLabelEffect::Click() {
  if (enabled_) GraphicControl::Click();
}

namespace {

enum class TextMode { Unrotated, Rotated, Upright };

SIZE TextExtent(HDC dc, const wchar_t* text, std::size_t length) {
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text, static_cast<int>(length), &size);
  return size;
}

// Where each letter of `text` starts: a pair of surrogates is one letter.
std::vector<std::size_t> LetterStarts(const std::wstring& text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i == 0 || text[i] < 0xDC00 || text[i] > 0xDFFF || text[i - 1] < 0xD800 ||
        text[i - 1] > 0xDBFF)
      starts.push_back(i);
  return starts;
}

// One paint: both images, their fonts and the geometry live only as long as it.
class LabelPainter {
 public:
  LabelPainter(const TLabelEffect& label, HDC surface)
      : label_(label),
        surface_(surface),
        width_(label.Width()),
        height_(label.Height()),
        caption_(Widen(label.Caption())),
        compose_(width_, height_),
        mask_(width_, height_) {}

  void Paint();

 private:
  void GiveFont(ui::OffscreenImage& image, const LOGFONTW& description);
  void MakeRotatedFont(ui::OffscreenImage& image);
  void MeasureGeometry();
  void FillBackground();
  void DrawCaptionAt(ui::OffscreenImage& image, int ox, int oy);
  void DrawLayerStack(TEffectDirection direction, int depth, TColor colour, TEffectOption style,
                      bool highlight);
  void GraduateFace();
  std::size_t LetterLength(std::size_t i) const {
    return (i + 1 < letters_.size() ? letters_[i + 1] : caption_.size()) - letters_[i];
  }

  const TLabelEffect& label_;
  HDC surface_;
  int width_;
  int height_;
  std::wstring caption_;
  std::vector<std::size_t> letters_;  // where each letter of the caption starts
  TextMode mode_ = TextMode::Unrotated;
  LayerSpread spread_;
  ui::OffscreenImage compose_;  // ComposeImage
  ui::OffscreenImage mask_;     // MaskImage
  SIZE text_{0, 0};             // w(caption), h(caption)
  RotatedLayout rotated_;
  UprightLayout upright_;
};

void LabelPainter::Paint() {
  if (!compose_.Valid() || !mask_.Valid()) throw TallimoError("Out of system resources");
  spread_ = ComputeLayerSpread(label_.DirectionHighlight(), label_.DepthHighlight(),
                               label_.DirectionShadow(), label_.DepthShadow(), label_.Alignment());
  if (label_.Angle() != 0)
    mode_ = label_.KeepLettersVertical() ? TextMode::Upright : TextMode::Rotated;

  // Both images start white, with a copy of the label's font drawn without smoothing, so that
  // every letter pixel has exactly the colour it is drawn in (the mask passes and the face's
  // key colour depend on it).
  LOGFONTW description = ui::FontDescription(label_.Font());
  description.lfQuality = NONANTIALIASED_QUALITY;
  for (ui::OffscreenImage* image : {&compose_, &mask_}) {
    PatBlt(image->Dc(), 0, 0, width_, height_, WHITENESS);
    GiveFont(*image, description);
    SetTextColor(image->Dc(), ui::ColorToRGB(label_.Font().color));
    SetBkMode(image->Dc(), TRANSPARENT);  // all text is drawn without a background
  }
  // What the parent has painted under the label is its background.
  BitBlt(compose_.Dc(), 0, 0, width_, height_, surface_, 0, 0, SRCCOPY);
  if (mode_ == TextMode::Rotated) {
    MakeRotatedFont(compose_);
    MakeRotatedFont(mask_);
  }
  MeasureGeometry();
  if (!label_.Transparent()) FillBackground();

  DrawLayerStack(label_.DirectionShadow(), label_.DepthShadow(), label_.ColourShadow(),
                 label_.StyleShadow(), false);
  DrawLayerStack(label_.DirectionHighlight(), label_.DepthHighlight(), label_.ColourHighlight(),
                 label_.StyleHighlight(), true);

  if (label_.GraduateFace() == goNone) {
    SetTextColor(compose_.Dc(), ui::ColorToRGB(label_.Font().color));
    DrawCaptionAt(compose_, 0, 0);
  } else {
    // The face is drawn on a copy in the key colour, and the bands fill its pixels.
    BitBlt(mask_.Dc(), 0, 0, width_, height_, compose_.Dc(), 0, 0, SRCCOPY);
    SetTextColor(mask_.Dc(), static_cast<COLORREF>(FaceKeyColour));
    DrawCaptionAt(mask_, 0, 0);
    GraduateFace();
  }
  BitBlt(surface_, 0, 0, width_, height_, compose_.Dc(), 0, 0, SRCCOPY);
}

void LabelPainter::GiveFont(ui::OffscreenImage& image, const LOGFONTW& description) {
  image.SetFont(ui::OwnedFont(CreateFontIndirectW(&description)));
}

void LabelPainter::MakeRotatedFont(ui::OffscreenImage& image) {
  LOGFONTW description{};
  if (!GetObjectW(image.Font(), sizeof description, &description)) return;
  description.lfEscapement = label_.Angle() * 10;  // tenths of a degree, counter-clockwise
  description.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  GiveFont(image, description);
}

void LabelPainter::MeasureGeometry() {
  const HDC dc = compose_.Dc();
  text_ = TextExtent(dc, caption_.data(), caption_.size());
  if (mode_ == TextMode::Rotated) {
    const std::wstring padded = caption_ + L"   ";
    rotated_ = LayOutRotated(text_.cx, text_.cy,
                             static_cast<int>(TextExtent(dc, padded.data(), padded.size()).cx),
                             spread_, label_.Angles());
  } else if (mode_ == TextMode::Upright) {
    letters_ = LetterStarts(caption_);
    const std::size_t n = letters_.size();
    std::vector<int> prefixWidths(n);
    for (std::size_t i = 1; i < n; ++i)
      prefixWidths[i] = TextExtent(dc, caption_.data(), letters_[i]).cx;
    const int firstWidth = n ? TextExtent(dc, caption_.data(), LetterLength(0)).cx : 0;
    const int lastWidth =
        n ? TextExtent(dc, caption_.data() + letters_[n - 1], LetterLength(n - 1)).cx : 0;
    upright_ =
        LayOutUpright(prefixWidths, text_.cy, firstWidth, lastWidth, spread_, label_.Angles());
  }
}

void LabelPainter::FillBackground() {
  const ui::OwnedBrush brush(CreateSolidBrush(ui::ColorToRGB(label_.Color())));
  if (!brush) throw TallimoError("Out of system resources");
  const HDC dc = compose_.Dc();
  // Polygons carry the default pen's 1-pixel black outline; the rectangle has none.
  const auto polygon = [&](const auto& corners) {
    std::vector<POINT> points;
    for (const ui::IntPoint& p : corners) points.push_back({p.x, p.y});
    const ui::SelectIn selected(dc, brush.Get());
    Polygon(dc, points.data(), static_cast<int>(points.size()));
  };
  switch (mode_) {
    case TextMode::Unrotated: {
      const RECT all{0, 0, width_, height_};
      FillRect(dc, &all, brush.Get());
      break;
    }
    case TextMode::Rotated:
      polygon(rotated_.Corners);
      break;
    case TextMode::Upright:
      if (const auto hexagon =
              UprightHexagon(label_.Angle(), upright_.FirstLetterBox, upright_.LastLetterBox))
        polygon(*hexagon);
      break;
  }
}

void LabelPainter::DrawCaptionAt(ui::OffscreenImage& image, int ox, int oy) {
  const HDC dc = image.Dc();
  switch (mode_) {
    case TextMode::Unrotated: {
      // Top-aligned, wrapped at words, tabs expanded, "&" marking the accelerator.
      const ui::IntRect r = UnrotatedTextRect(spread_, width_, height_, ox, oy);
      RECT rect{r.left, r.top, r.right, r.bottom};
      UINT format = DT_WORDBREAK | DT_EXPANDTABS;
      if (label_.Alignment() == ui::TAlignment::taCenter) format |= DT_CENTER;
      if (label_.Alignment() == ui::TAlignment::taRightJustify) format |= DT_RIGHT;
      const int length = static_cast<int>(std::min(caption_.size(), kUnrotatedCaptionLimit));
      DrawTextW(dc, caption_.data(), length, &rect, format);
      break;
    }
    case TextMode::Rotated:
      TextOutW(dc, rotated_.OriginX - spread_.MinOffset + ox,
               rotated_.OriginY - spread_.MinOffset + oy, caption_.data(),
               static_cast<int>(caption_.size()));
      break;
    case TextMode::Upright:
      for (std::size_t i = 0; i < letters_.size(); ++i) {
        const ui::IntPoint at =
            UprightLetterAt(upright_, spread_, label_.Angles(), static_cast<int>(i), ox, oy);
        TextOutW(dc, at.x, at.y, caption_.data() + letters_[i], static_cast<int>(LetterLength(i)));
      }
      break;
  }
}

void LabelPainter::DrawLayerStack(TEffectDirection direction, int depth, TColor colour,
                                  TEffectOption style, bool highlight) {
  const EffectOffset offset = DirectionOffset(direction);
  ui::OffscreenImage& target = style == eoReal ? mask_ : compose_;
  // A real highlight needs a clean mask; a real shadow finds it still white.
  if (style == eoReal && highlight) PatBlt(mask_.Dc(), 0, 0, width_, height_, WHITENESS);
  for (const EffectLayer& layer : LayerStack(style, depth, colour, label_.Font().color)) {
    SetTextColor(target.Dc(), static_cast<COLORREF>(layer.colour));
    DrawCaptionAt(target, offset.dx * layer.depth, offset.dy * layer.depth);
  }
  if (style != eoReal) return;
  // Under the layer's shape the background halves towards black or white.
  GdiFlush();
  for (int y = 0; y < height_; ++y) {
    const std::uint32_t* shape = mask_.Row(y);
    std::uint32_t* pixels = compose_.Row(y);
    for (int x = 0; x < width_; ++x) {
      if ((shape[x] & 0xFFFFFF) != 0) continue;
      const TColor pixel = ui::BitmapWordToColor(pixels[x]);
      pixels[x] =
          ui::ColorToBitmapWord(highlight ? HalfTowardsWhite(pixel) : HalfTowardsBlack(pixel));
    }
  }
}

void LabelPainter::GraduateFace() {
  const TGraduateOption option = label_.GraduateFace();
  FaceExtent face;
  switch (mode_) {
    case TextMode::Unrotated:
      face = UnrotatedFaceExtent(text_.cx, text_.cy, width_, spread_, label_.Alignment(), option);
      break;
    case TextMode::Rotated:
      face = RotatedFaceExtent(rotated_.Corners, option);
      break;
    case TextMode::Upright:
      face = UprightFaceExtent(upright_.FirstLetterBox, upright_.LastLetterBox, option);
      break;
  }
  if (face.E < 0) return;  // no band, so no face
  const ColourRamp ramp(label_.GraduateFrom(), label_.Font().color, face.E);
  // Only the bands that meet the image need a copy.
  const int start = option == goHorizontal ? face.sx : face.sy;
  const int size = option == goHorizontal ? width_ : height_;
  const int first = std::max(0, -start);
  const int last = std::min(face.E, size - 1 - start);
  const std::uint32_t key = ui::ColorToBitmapWord(FaceKeyColour);
  GdiFlush();
  for (int i = first; i <= last; ++i) {
    const ui::IntRect band = FaceBand(option, face, i, width_, height_);
    const std::uint32_t fill = ui::ColorToBitmapWord(ramp.At(i));
    // Within the band: the band colour where the mask has the key colour, the mask elsewhere.
    for (int y = std::max(band.top, 0); y < std::min(band.bottom, height_); ++y) {
      const std::uint32_t* from = mask_.Row(y);
      std::uint32_t* to = compose_.Row(y);
      for (int x = std::max(band.left, 0); x < std::min(band.right, width_); ++x)
        to[x] = (from[x] & 0xFFFFFF) == key ? fill : from[x];
    }
  }
}

}  // namespace

void TLabelEffect::Paint(HDC dc) {
  if (Width() <= 0 || Height() <= 0) return;
  LabelPainter(*this, dc).Paint();
}

}  // namespace tallimo
