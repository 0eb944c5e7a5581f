#pragma once
// The NFO viewer's rules: the text as the viewer shows it, its size from the screen, the font
// steps and the status texts.
#include <string>
#include <string_view>

namespace tallimo {

// The viewer's memo font: its face, the designed size, the size on screens of more than 96
// pixels per inch, and the range the size buttons keep to (points).
inline constexpr const char* kNfoFontName = "Terminal";
inline constexpr int kNfoDesignPoints = 9;
inline constexpr int kNfoScaledPoints = 11;
inline constexpr int kNfoMinPoints = 5;
inline constexpr int kNfoMaxPoints = 25;

// The file's bytes as the viewer shows them: unconverted, with every line break made CR LF (CR
// LF stays, a lone CR or a lone LF becomes CR LF). A zero byte would end the text box's text
// there, so it shows as a blank, as it does on a DOS screen.
std::string NfoDisplayText(std::string_view bytes);

// The viewer's outer size for a screen of `width` x `height` pixels: the width less a sixth,
// the height less a quarter, each part rounded to the nearest integer (a half to the even
// neighbour). 800 x 600 gives 667 x 450, 1024 x 768 gives 853 x 576.
struct NfoViewerSize {
  int width = 0, height = 0;
};
NfoViewerSize NfoViewerSizeFor(int screenWidth, int screenHeight);

// The memo's size at an opening: 11 points above a scale factor of 1, else unchanged.
int NfoOpeningPoints(int currentPoints, double scaleFactor);
// One point up (to at most 25) and one point down (to at least 5).
int NfoIncreasedPoints(int points);
int NfoReducedPoints(int points);

// Status panel 1: the font's name, ", ", the size in points, " pt" ("Terminal, 9 pt").
std::string NfoFontText(const std::string& fontName, int points);

// FormResize: status panel 0 takes half the client width; the font buttons keep to the right
// edge of the outer width, in plain pixels.
struct NfoResizeLayout {
  int statusPanelWidth = 0;
  int increaseLeft = 0;  // BitBtn1
  int reduceLeft = 0;    // BitBtn2
};
NfoResizeLayout NfoLayoutFor(int clientWidth, int outerWidth);

// The texts of the viewer's boxes.
std::string NfoOpenFailedMessage(const std::string& nfoPath);
inline constexpr const char* kNfoCopiedMessage =
    "The entire NFO file has been copied to the Clipboard.";

}  // namespace tallimo
