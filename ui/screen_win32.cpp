// The screen seam's Win32 implementation. It lives with the window layer, whose GDI wrappers
// it uses to read the screen's pixels per inch.
#include <windows.h>

#include "platform/screen.h"
#include "ui/gdi.h"

namespace tallimo {

namespace {
class Win32Screen : public Screen {
 public:
  int PixelsPerInch() override {
    const ui::WindowDC screen(nullptr);
    const int ppi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
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
