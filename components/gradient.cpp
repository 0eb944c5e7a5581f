// The gradient fill's colour table and band geometry.
#include "components/gradient.h"

#include <cmath>

namespace tallimo {
namespace {

// Value names under "Control Panel\Colors"; the selection colours are stored there as
// "Hilight" and "HilightText".
constexpr const char* kSystemColorNames[] = {
    "Background",     "ActiveTitle",  "InactiveTitle",     "Menu",
    "Window",         "WindowFrame",  "MenuText",          "WindowText",
    "TitleText",      "ActiveBorder", "InactiveBorder",    "AppWorkspace",
    "Hilight",        "HilightText",  "ButtonFace",        "ButtonShadow",
    "GrayText",       "ButtonText",   "InactiveTitleText", "ButtonHilight",
    "ButtonDkShadow", "ButtonLight",  "InfoText",          "InfoWindow",
};
static_assert(sizeof kSystemColorNames / sizeof kSystemColorNames[0] == 24);

constexpr std::int32_t kScale = 10000;  // four decimal digits of fixed point

// (first - last) * 10000 / 255 to the nearest integer; the quotient is never a half.
std::int32_t RoundedStep(int first, int last) {
  const std::int32_t n = (first - last) * kScale;
  return n >= 0 ? (n + 127) / 255 : -((-n + 127) / 255);
}

}  // namespace

const char* SystemColorValueName(TColor color) {
  if (color < 0x80000001u || color > 0x80000018u) return nullptr;
  return kSystemColorNames[color - 0x80000001u];
}

std::optional<RgbTriple> ParseColorText(const std::string& text) {
  // Unsigned arithmetic: an overlong number wraps instead of overflowing, and only its low
  // 8 bits are used anyway.
  std::uint32_t parts[3] = {0, 0, 0};
  std::size_t pos = 0;  // the next character to read
  for (std::uint32_t& part : parts) {
    while (pos < text.size() && text[pos] != ' ') {
      const char c = text[pos];
      if (c < '0' || c > '9') return std::nullopt;
      part = part * 10 + static_cast<std::uint32_t>(c - '0');
      ++pos;
    }
    ++pos;  // past the space (or the end) that ended this number
  }
  // Characters after the third number are never read, as before: "1 2 3 x" stays (1, 2, 3).
  return RgbTriple{static_cast<int>(parts[0] & 0xFF), static_cast<int>(parts[1] & 0xFF),
                   static_cast<int>(parts[2] & 0xFF)};
}

RgbTriple ResolveColor(TColor color, SystemColors& source) {
  if (const char* name = SystemColorValueName(color)) {
    const std::string text = source.ColorText(name);
    if (!text.empty()) {
      // A text that is not digits and spaces falls back like an absent one.
      if (const auto parsed = ParseColorText(text)) return *parsed;
    }
  }
  return RgbTriple{RedOf(color), GreenOf(color), BlueOf(color)};
}

GradientColorTable BuildColorTable(TColor colorStart, TColor colorEnd, bool swap,
                                   SystemColors& source) {
  const RgbTriple start = ResolveColor(colorStart, source);
  const RgbTriple end = ResolveColor(colorEnd, source);
  const RgbTriple& firstRaw = swap ? end : start;
  const RgbTriple& lastRaw = swap ? start : end;
  const int first[3] = {firstRaw.r & 0xFF, firstRaw.g & 0xFF, firstRaw.b & 0xFF};
  const int last[3] = {lastRaw.r & 0xFF, lastRaw.g & 0xFF, lastRaw.b & 0xFF};

  std::int32_t step[3];
  std::int32_t acc[3];
  for (int c = 0; c < 3; ++c) {
    step[c] = RoundedStep(first[c], last[c]);
    acc[c] = first[c] * kScale;
  }

  GradientColorTable table{};
  table[0] = RgbColor(first[0], first[1], first[2]);
  for (int i = 1; i < kGradientBands - 1; ++i) {
    for (int c = 0; c < 3; ++c) acc[c] -= step[c];
    table[i] = RgbColor(acc[0] / kScale, acc[1] / kScale, acc[2] / kScale);
  }
  table[kGradientBands - 1] = RgbColor(last[0], last[1], last[2]);
  return table;
}

GradientBandRects GradientBands(TGradDirection direction, int width, int height) {
  const bool across = direction == gdLeftRight;
  const int size = across ? width : height;
  // The step is held in single precision, as the drawing has always done; products and
  // sums below are exact in double.
  const float step = static_cast<float>(static_cast<double>(size) / 255.0);
  const int thickness = static_cast<int>(std::trunc(static_cast<double>(step) + 1.0));

  GradientBandRects bands{};
  int offset = 0;
  for (int i = 0; i < kGradientBands; ++i) {
    bands[i] = across ? ui::IntRect{offset, 0, offset + thickness, height}
                      : ui::IntRect{0, offset, width, offset + thickness};
    offset = static_cast<int>(std::trunc(static_cast<double>(i) * static_cast<double>(step)));
  }
  return bands;
}

GradientFill::GradientFill(SystemColors& source, std::function<void()> repaint)
    : source_(source), repaint_(std::move(repaint)) {
  bandColors_ = BuildColorTable(colorStart_, colorEnd_, swap_, source_);
}

void GradientFill::SetColorStart(TColor value) {
  colorStart_ = value;
  Changed();
}

void GradientFill::SetColorEnd(TColor value) {
  colorEnd_ = value;
  Changed();
}

void GradientFill::SetDirection(TGradDirection value) {
  direction_ = value;
  Changed();
}

void GradientFill::SetSwap(bool value) {
  swap_ = value;
  Changed();
}

void GradientFill::Changed() {
  // Direction is not part of the table, but every property change rebuilds it.
  bandColors_ = BuildColorTable(colorStart_, colorEnd_, swap_, source_);
  if (repaint_) repaint_();
}

}  // namespace tallimo
