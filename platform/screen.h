#pragma once
// The screen: logical pixels per inch and size in pixels.

namespace tallimo {

class Screen {
 public:
  virtual ~Screen() = default;
  virtual int PixelsPerInch() = 0;
  virtual int Width() = 0;
  virtual int Height() = 0;
};

// The real screen (Windows); 96 pixels per inch and 1024 x 768 natively.
Screen& HostScreen();

// A screen of fixed figures, for tests and for forcing a resolution.
class FixedScreen : public Screen {
 public:
  FixedScreen(int ppi, int width, int height) : ppi_(ppi), width_(width), height_(height) {}
  int PixelsPerInch() override { return ppi_; }
  int Width() override { return width_; }
  int Height() override { return height_; }

 private:
  int ppi_, width_, height_;
};

}  // namespace tallimo
