#include "ui/gdi.h"

namespace tallimo::ui {

OwnedFont MakeFont(const TFont& font) {
  LOGFONTA lf{};
  lf.lfHeight = -font.height;
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = font.charset;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = font.pitchAndFamily;
  lstrcpynA(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
  return OwnedFont(CreateFontIndirectA(&lf));
}

}  // namespace tallimo::ui
