#pragma once
// Fitting design sizes to the screen: a layout written at designPpi pixels per inch shown on a
// screen of screenPpi. Portable arithmetic, used by the window layer.

namespace tallimo::ui {

// size * screenPpi / designPpi, rounded to the nearest integer with halves away from zero
// (as MulDiv rounds); 0 when designPpi is 0.
int FitDesignSize(int size, int screenPpi, int designPpi);

}  // namespace tallimo::ui
