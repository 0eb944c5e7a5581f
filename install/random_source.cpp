#include "install/random_source.h"

#include <chrono>

namespace tallimo {

void TimeSeededRandom::Reseed() {
  // The time of day, and the time since start-up for what the day's clock does not resolve.
  const auto now =
      static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  const auto ticks =
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  const uint64_t mixed = now ^ (ticks * 0x9E3779B97F4A7C15ull);
  engine_.seed(static_cast<uint32_t>(mixed ^ (mixed >> 32)));
}

uint32_t TimeSeededRandom::Below(uint32_t bound) {
  return std::uniform_int_distribution<uint32_t>(0, bound - 1)(engine_);
}

}  // namespace tallimo
