#include "ui/layout_fit.h"

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

}  // namespace tallimo::ui
