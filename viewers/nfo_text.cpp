#include "viewers/nfo_text.h"

#include <algorithm>

namespace tallimo {

namespace {
// numerator / denominator (both non-negative, denominator above 0) to the nearest integer, a
// half to the even neighbour; in integers, so that no product is a floating-point guess.
int DivideRoundHalfEven(long long numerator, long long denominator) {
  long long quotient = numerator / denominator;
  const long long twiceRest = 2 * (numerator % denominator);
  if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0)) ++quotient;
  return static_cast<int>(quotient);
}
}  // namespace

std::string NfoDisplayText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 32);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r') {
      text += "\r\n";
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      text += "\r\n";
    } else {
      text += c == '\0' ? ' ' : c;
    }
  }
  return text;
}

NfoViewerSize NfoViewerSizeFor(int screenWidth, int screenHeight) {
  const int w = std::max(screenWidth, 0), h = std::max(screenHeight, 0);
  return {w - DivideRoundHalfEven(w, 6), h - DivideRoundHalfEven(h, 4)};
}

int NfoOpeningPoints(int currentPoints, double scaleFactor) {
  return scaleFactor > 1.0 ? kNfoScaledPoints : currentPoints;
}

int NfoIncreasedPoints(int points) {
  return points < kNfoMaxPoints ? points + 1 : points;
}

int NfoReducedPoints(int points) {
  return points > kNfoMinPoints ? points - 1 : points;
}

std::string NfoFontText(const std::string& fontName, int points) {
  return fontName + ", " + std::to_string(points) + " pt";
}

NfoResizeLayout NfoLayoutFor(int clientWidth, int outerWidth) {
  return {clientWidth / 2, outerWidth - 36, outerWidth - 63};
}

std::string NfoOpenFailedMessage(const std::string& nfoPath) {
  return "Could not open the NFO file:\r" + nfoPath;
}

}  // namespace tallimo
