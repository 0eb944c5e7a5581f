#pragma once
// Fitting design sizes to the screen: a layout written at designPpi pixels per inch shown on a
// screen of screenPpi. Portable arithmetic, used by the window layer.

namespace tallimo::ui {

// size * screenPpi / designPpi, rounded to the nearest integer with halves away from zero
// (as MulDiv rounds); 0 when designPpi is 0.
int FitDesignSize(int size, int screenPpi, int designPpi);

// Round to the nearest integer, a half to the even neighbour (607.5 -> 608, 28.5 -> 28).
int RoundHalfEven(double value);

}  // namespace tallimo::ui
