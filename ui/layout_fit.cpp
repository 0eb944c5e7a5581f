#include "ui/layout_fit.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tallimo::ui {

int FitDesignSize(int size, int screenPpi, int designPpi) {
  if (designPpi == 0) return 0;
  std::int64_t num = static_cast<std::int64_t>(size) * screenPpi;
  std::int64_t den = designPpi;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  std::int64_t q = (std::llabs(num) * 2 + den) / (den * 2);
  return static_cast<int>(num < 0 ? -q : q);
}

int RoundHalfEven(double value) {
  // Explicit, so the result does not hang on the floating-point rounding mode.
  const double lower = std::floor(value);
  const double fraction = value - lower;
  double result = lower;
  if (fraction > 0.5) {
    result = lower + 1;
  } else if (fraction == 0.5) {
    result = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
  }
  return static_cast<int>(result);
}

}  // namespace tallimo::ui
