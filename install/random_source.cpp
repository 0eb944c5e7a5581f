#include "install/random_source.h"

#include <chrono>

namespace tallimo {

void TimeSeededRandom::Reseed() {
  auto now = std::chrono::system_clock::now().time_since_epoch().count();
  uint32_t entropy = 0;
  try {
    entropy = std::random_device{}();
  } catch (...) {
    // No entropy source: the time of day alone seeds the generator.
  }
  std::seed_seq seed{static_cast<uint32_t>(now), static_cast<uint32_t>(now >> 32), entropy};
  engine_.seed(seed);
}

uint32_t TimeSeededRandom::Below(uint32_t bound) {
  return std::uniform_int_distribution<uint32_t>(0, bound - 1)(engine_);
}

}  // namespace tallimo
