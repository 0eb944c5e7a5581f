#include "app/main_layout.h"

#include <cmath>

namespace tallimo {

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
