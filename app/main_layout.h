#pragma once
// The main window's own scaling and its proportions on resize.
#include <cstdint>

#include "ui/layout_fit.h"

namespace tallimo {

using ui::RoundHalfEven;

// Round(scaleFactor * designSize).
int ScaleSize(double scaleFactor, int designSize);

// The screen's logical pixels per inch divided by 96 (1.0 at 96, 1.25 at 120, 1.5 at 144).
double ScaleFactorFromPpi(int pixelsPerInch);

// Smallest outer window size the user can drag to, before scaling.
inline constexpr std::uint16_t kDesignMinTrackWidth = 486;
inline constexpr std::uint16_t kMinTrackHeight = 243;  // never scaled

// MinTrackWidth after start-up: Round(scaleFactor * 486).
std::uint16_t ScaledMinTrackWidth(double scaleFactor);

// Image1.Top: Round(scaleFactor * panBtnHeight - image1Height) div 2.
int LogoTop(double scaleFactor, int panBtnHeight, int image1Height);

// ListBox1's row height after start-up: Round(scaleFactor * designRowHeight).
inline constexpr int kDesignListRowHeight = 24;
int ListRowHeight(double scaleFactor, int designRowHeight = kDesignListRowHeight);

// Design sizes of the main window the layout arithmetic uses.
inline constexpr int kDesignPanBtnHeight = 51;
inline constexpr int kDesignImage1Height = 36;
inline constexpr int kDesignLogoRightGap = 37;

// FormResize's sizes for a client area and the current widths of the splitter and PanBtn.
struct TMainResizeLayout {
  int LabelSelectWidth = 0;  // the client width
  int PanInfoWidth = 0;      // (client width - splitter width) div 2
  int PanListHeight = 0;     // client height div 2
  int Image1Left = 0;        // PanBtn width - Round(scaleFactor * 37)
};
TMainResizeLayout MainResizeLayout(double scaleFactor, int clientWidth, int clientHeight,
                                   int splitterWidth, int panBtnWidth);

// ListBox1's column width after a resize: the grid's outer width, so one column spans it.
inline int ListColumnWidth(int gridWidth) {
  return gridWidth;
}

}  // namespace tallimo
