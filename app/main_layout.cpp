#include "app/main_layout.h"

#include <cmath>

namespace tallimo {

int RoundHalfEven(double value) {
  // Explicit, so the result does not hang on the floating-point rounding mode.
  const double lower = std::floor(value);
  const double fraction = value - lower;
  double result = lower;
  if (fraction > 0.5) {
    result = lower + 1;
  } else if (fraction == 0.5) {
    result = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
  }
  return static_cast<int>(result);
}

int ScaleSize(double scaleFactor, int designSize) {
  return RoundHalfEven(scaleFactor * designSize);
}

double ScaleFactorFromPpi(int pixelsPerInch) {
  return pixelsPerInch / 96.0;
}

std::uint16_t ScaledMinTrackWidth(double scaleFactor) {
  return static_cast<std::uint16_t>(ScaleSize(scaleFactor, kDesignMinTrackWidth));
}

int LogoTop(double scaleFactor, int panBtnHeight, int image1Height) {
  return RoundHalfEven(scaleFactor * panBtnHeight - image1Height) / 2;
}

int ListRowHeight(double scaleFactor, int designRowHeight) {
  return ScaleSize(scaleFactor, designRowHeight);
}

TMainResizeLayout MainResizeLayout(double scaleFactor, int clientWidth, int clientHeight,
                                   int splitterWidth, int panBtnWidth) {
  TMainResizeLayout layout;
  layout.LabelSelectWidth = clientWidth;
  layout.PanInfoWidth = (clientWidth - splitterWidth) / 2;  // C++ division truncates toward 0
  layout.PanListHeight = clientHeight / 2;
  layout.Image1Left = panBtnWidth - ScaleSize(scaleFactor, kDesignLogoRightGap);
  return layout;
}

}  // namespace tallimo
