#include <windows.h>

#include "platform/screen.h"

namespace tallimo {

namespace {
class Win32Screen : public Screen {
 public:
  int PixelsPerInch() override {
    HDC dc = GetDC(nullptr);
    int ppi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return ppi > 0 ? ppi : 96;
  }
  int Width() override { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() override { return GetSystemMetrics(SM_CYSCREEN); }
};
}  // namespace

Screen& HostScreen() {
  static Win32Screen screen;
  return screen;
}

}  // namespace tallimo
