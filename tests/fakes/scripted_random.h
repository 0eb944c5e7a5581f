#pragma once
// A random source that gives the numbers queued in `next` (then 0s) and counts reseeds.
#include <cstdint>
#include <deque>
#include <string>

#include "install/random_source.h"

namespace tallimo::testing {

class ScriptedRandom final : public RandomSource {
 public:
  std::deque<uint32_t> next;
  int reseeds = 0;
  void Reseed() override { ++reseeds; }
  uint32_t Below(uint32_t bound) override {
    uint32_t value = next.empty() ? 0 : next.front();
    if (!next.empty()) next.pop_front();
    return value % bound;
  }
  // Queues the letters of `word` as draws from a to z.
  void Queue(const std::string& word) {
    for (char c : word) next.push_back(static_cast<uint32_t>(c - 'a'));
  }
};

}  // namespace tallimo::testing
