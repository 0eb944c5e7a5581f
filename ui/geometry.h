#pragma once
// Points and rectangles in pixels, the one set the window layer and the portable drawing rules
// share (no windows.h).
namespace tallimo::ui {

struct IntPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const IntPoint&, const IntPoint&) = default;
};

// A rectangle by its edges; right and bottom are exclusive.
struct IntRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const IntRect&, const IntRect&) = default;
};

// A rectangle by its top-left corner and its size (a control's bounds in its parent's client
// coordinates).
struct TBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  friend bool operator==(const TBounds&, const TBounds&) = default;
};

}  // namespace tallimo::ui
